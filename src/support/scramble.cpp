#include "support/scramble.h"

#include "support/gbk.h"

#include <algorithm>

namespace paperkit {

namespace {

constexpr std::string_view kEmpty = "F7D531";

int DigitValue(char c) {
    const int code = static_cast<unsigned char>(c);
    return code <= 64 ? code - 48 : code - 55;
}

} // namespace

std::string ScrambleEncode(std::string_view text) {
    if (text.empty())
        return std::string(kEmpty);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    const std::string gbk = Utf8ToGbk(text);
    size_t position = 0;
    for (const char c : gbk) {
        size_t value = static_cast<unsigned char>(c) + ++position;
        std::string group;
        do {
            group.insert(group.begin(), kDigits[value % 16]);
            value /= 16;
        } while (value > 0);
        if (group.size() < 2)
            group.insert(group.begin(), '0');
        hex += group;
    }
    std::reverse(hex.begin(), hex.end());
    return hex;
}

std::string ScrambleDecode(std::string_view text) {
    if (text == kEmpty)
        return {};
    const std::string hex(text.rbegin(), text.rend());
    std::string gbk;
    gbk.reserve(hex.size() / 2);
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        const long position = static_cast<long>(i / 2 + 1);
        const long value = 16L * DigitValue(hex[i]) + DigitValue(hex[i + 1]) - position;
        gbk += static_cast<char>(static_cast<unsigned char>(value & 0xFF));
    }
    return GbkToUtf8(gbk);
}

} // namespace paperkit
