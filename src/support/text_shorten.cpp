#include "support/text_shorten.h"

#include "support/gbk.h"

namespace paperkit {

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
        const size_t n = Utf8SequenceLength(text);
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
