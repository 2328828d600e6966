#include "platform/wallpaper/linux/command_template.h"

namespace paperkit {

std::optional<std::vector<std::string>> SplitCommandTemplate(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const std::size_t end = text.find('\'', i + 1);
            if (end == std::string_view::npos)
                return std::nullopt;
            word.append(text.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '"') {
            std::size_t j = i + 1;
            for (; j < text.size() && text[j] != '"'; ++j) {
                if (text[j] == '\\' && j + 1 < text.size() &&
                    std::string_view("\"\\$`").find(text[j + 1]) != std::string_view::npos)
                    ++j;
                word += text[j];
            }
            if (j >= text.size())
                return std::nullopt;
            i = j;
        } else if (c == '\\') {
            if (i + 1 >= text.size())
                return std::nullopt;
            word += text[++i];
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::vector<std::string> ExpandCommandTemplate(const std::vector<std::string>& words,
                                               const std::string& picture, std::string_view style) {
    std::vector<std::string> expanded;
    expanded.reserve(words.size());
    for (const std::string& word : words) {
        std::string out;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 'f') {
                out += picture;
                ++i;
            } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 's') {
                out += style;
                ++i;
            } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') {
                out += '%';
                ++i;
            } else {
                out += word[i];
            }
        }
        expanded.push_back(std::move(out));
    }
    return expanded;
}

} // namespace paperkit
