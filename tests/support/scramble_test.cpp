#include "support/scramble.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(Scramble, EncodesAndDecodesKnownTexts) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "F7D531"},          {"abc", "664626"}, {"图", "EBEC"}, // GBK CD BC, plus 1 and 2
        {"\x01", "20"},                                             // padded to two digits
        {"2.0.1", "6323330333"},                                    // a version file name
    };
    for (const auto& [text, scrambled] : cases) {
        EXPECT_EQ(ScrambleEncode(text), scrambled) << text;
        EXPECT_EQ(ScrambleDecode(scrambled), text) << scrambled;
    }
}

TEST(Scramble, RoundTripsChineseText) {
    const std::string text = "青鸾画屏 壁纸 2011";
    EXPECT_EQ(ScrambleDecode(ScrambleEncode(text)), text);
}

TEST(Scramble, SumsOf256OrMoreTakeThreeDigits) {
    // byte 0xFF at position 1 is 0x100; the text does not come back, as stored ids always had it
    const std::string encoded = ScrambleEncode("\xC3\xBF"); // U+00FF has no GBK form: '?'
    EXPECT_EQ(encoded, "04");                               // '?' (0x3F) + 1 = 0x40
    std::string longText(200, 'a');                         // 'a' + 159 reaches 0x100
    const std::string longEncoded = ScrambleEncode(longText);
    EXPECT_EQ(longEncoded.size(), 158u * 2 + 42u * 3);
    EXPECT_NE(ScrambleDecode(longEncoded), longText);
}

TEST(Scramble, DecodesForeignInputWithoutError) {
    EXPECT_EQ(ScrambleDecode("7664626"), "abc"); // the odd digit left after reversing
    EXPECT_EQ(ScrambleDecode("7"), "");
    EXPECT_FALSE(ScrambleDecode("zz!!").empty());
}

} // namespace
} // namespace paperkit
