#include "ui/media/media_command_text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace paperkit {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Splits at blanks; a part between double quotes is one word, quotes removed. An unclosed quote
// gives nothing.
std::optional<std::vector<std::string>> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            const auto end = text.find('"', i + 1);
            if (end == std::string::npos)
                return std::nullopt;
            words.push_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        const auto end = text.find_first_of(" \t", i);
        words.push_back(text.substr(i, end == std::string::npos ? std::string::npos : end - i));
        i = end == std::string::npos ? text.size() : end;
    }
    return words;
}

} // namespace

std::optional<MediaCommand> ParseMediaCommand(const std::string& text) {
    const auto words = Words(text);
    if (!words || words->size() < 2)
        return std::nullopt;
    const auto& w = *words;
    const std::string verb = Lower(w[0]);
    MediaCommand command;
    if (verb == "open") {
        if (w.size() != 4 || Lower(w[2]) != "alias" || w[1].empty() || w[3].empty())
            return std::nullopt;
        command.verb = MediaCommand::Verb::Open;
        command.file = w[1];
        command.alias = Lower(w[3]);
        return command;
    }
    command.alias = Lower(w[1]);
    if (verb == "play") {
        command.verb = MediaCommand::Verb::Play;
        if (w.size() == 4 && Lower(w[2]) == "from" && w[3] == "0")
            command.fromStart = true;
        else if (w.size() != 2)
            return std::nullopt;
    } else if (verb == "stop" && w.size() == 2) {
        command.verb = MediaCommand::Verb::Stop;
    } else if (verb == "close" && w.size() == 2) {
        command.verb = MediaCommand::Verb::Close;
    } else if (verb == "status" && w.size() == 3 && Lower(w[2]) == "mode") {
        command.verb = MediaCommand::Verb::Status;
    } else {
        return std::nullopt;
    }
    return command;
}

} // namespace paperkit
