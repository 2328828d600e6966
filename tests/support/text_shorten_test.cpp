#include "support/text_shorten.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(ShortenText, MeasuresInGbkBytesAndNeverSplitsACharacter) {
    struct Case {
        std::string text;
        int limit;
        std::string expected;
    };
    const Case cases[] = {
        {std::string(36, 'x'), 36, std::string(36, 'x')},
        {std::string(40, 'x'), 36, std::string(33, 'x') + "..."},
        {"图片格式错误", 12, "图片格式错误"}, // 12 GBK bytes fit exactly
        {"图片格式错误", 10, "图片格..."},    // 7 bytes for text: three characters
        {"a图片格式错误", 10, "a图片格..."},  // 1 + 6 bytes, exactly the bound
        {"ab图片格式错误", 10, "ab图片..."},  // 格 would end at byte 8: left out whole
        {"a😀b图片格式", 8, "a😀b图..."},       // no GBK form: measured as one byte, kept
        {"图片格式错误", 2, "..."},           // a limit below the suffix keeps no text
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortenText(c.text, c.limit, "..."), c.expected) << c.text << " / " << c.limit;
}

TEST(ShortenText, MeasuresTheSuffixInGbkBytesToo) {
    EXPECT_EQ(ShortenText("图片格式错误", 10, "…"), "图片格式…"); // '…' takes two bytes
}

} // namespace
} // namespace paperkit
