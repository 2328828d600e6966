#include "support/text_shorten.h"

#include "support/gbk.h"

namespace paperkit {

namespace {

/// Length of the UTF-8 sequence that starts the text (at least 1).
size_t SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (size_t i = 1; i < n; ++i)
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return i;
    return n;
}

} // namespace

std::string ShortenText(std::string_view text, int limit, std::string_view suffix) {
    const auto gbkSize = static_cast<long>(Utf8ToGbk(text).size());
    if (gbkSize <= limit)
        return std::string(text);
    const long bound = static_cast<long>(limit) - static_cast<long>(Utf8ToGbk(suffix).size());
    // Measure character by character, so that the result keeps the original characters even
    // where GBK has none and never ends inside a double-byte one.
    std::string result;
    long used = 0;
    while (!text.empty()) {
        const size_t n = SequenceLength(text);
        const std::string_view character = text.substr(0, n);
        const auto width = static_cast<long>(Utf8ToGbk(character).size());
        if (used + width > bound)
            break;
        result += character;
        used += width;
        text.remove_prefix(n);
    }
    return result + std::string(suffix);
}

} // namespace paperkit
