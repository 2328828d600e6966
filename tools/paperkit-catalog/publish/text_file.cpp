#include "publish/text_file.h"

#include "publish/file_write.h"
#include "support/gbk.h"

namespace paperkit {

namespace {

std::vector<std::string> TextLines(const std::filesystem::path& file) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes))
        return {};
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.erase(0, 3);
    const std::string text = AsUtf8(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        // Control characters would not survive the documents' attributes.
        for (char& c : line) {
            if (static_cast<unsigned char>(c) < 0x20)
                c = ' ';
        }
        const std::size_t first = line.find_first_not_of(' ');
        const std::size_t last = line.find_last_not_of(' ');
        lines.push_back(first == std::string::npos ? std::string()
                                                   : line.substr(first, last - first + 1));
        start = end + 1;
    }
    return lines;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        char32_t value = c & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (cc & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string AsUtf8(std::string_view text) {
    return IsValidUtf8(text) ? std::string(text) : GbkToUtf8(text);
}

TextInfo ReadTextInfo(const std::filesystem::path& file, std::string_view fallback) {
    TextInfo info;
    for (const std::string& line : TextLines(file)) {
        if (line.empty())
            continue;
        if (info.Title.empty())
            info.Title = line;
        else
            info.Remark += (info.Remark.empty() ? "" : " ") + line;
    }
    if (info.Title.empty())
        info.Title = AsUtf8(fallback);
    return info;
}

std::vector<std::pair<std::string, std::string>> ReadAdLines(const std::filesystem::path& file) {
    std::vector<std::pair<std::string, std::string>> ads;
    std::string bytes;
    if (!ReadWholeFile(file, bytes))
        return ads;
    const std::string text = AsUtf8(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            ads.emplace_back(line, std::string());
        else
            ads.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    return ads;
}

} // namespace paperkit
