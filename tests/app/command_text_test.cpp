#include "app/command_text.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(SplitCommand, SplitsAtTheFirstColonOnly) {
    struct Case {
        const char* line;
        const char* name;
        const char* arg;
    };
    const Case cases[] = {
        {"CheckNew", "CheckNew", ""},
        {"SubjectSetup:1057", "SubjectSetup", "1057"},
        {"WebDownload:", "WebDownload", ""},
        {"WebDownload:C:\\a.pkd\r\n/b:c.pkd\r\n", "WebDownload", "C:\\a.pkd\r\n/b:c.pkd\r\n"},
        {":x", "", "x"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const auto parts = SplitCommand(c.line);
        EXPECT_EQ(parts.Name, c.name) << c.line;
        EXPECT_EQ(parts.Arg, c.arg) << c.line;
    }
}

TEST(SplitImageKey, SplitsAtTheFirstDot) {
    EXPECT_EQ(SplitImageKey("1057.3").Id, "1057");
    EXPECT_EQ(SplitImageKey("1057.3").No, "3");
    EXPECT_EQ(SplitImageKey("1057.3.9").No, "3.9");
    EXPECT_EQ(SplitImageKey("1057").Id, "1057");
    EXPECT_EQ(SplitImageKey("1057").No, "");
}

TEST(ParseDecimal, AcceptsOnlyWholeDecimalNumbers) {
    EXPECT_EQ(ParseDecimal("1057"), 1057);
    EXPECT_EQ(ParseDecimal("-1"), -1);
    EXPECT_EQ(ParseDecimal("0"), 0);
    for (const char* bad : {"", "12a", " 12", "12 ", "+12", "1.5", "0x10", "99999999999", "-"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

} // namespace
} // namespace paperkit
