#include "support/gbk.h"

#include <gtest/gtest.h>

using paperkit::GbkToUtf8;
using paperkit::Utf8ToGbk;

TEST(Gbk, RoundTripsChineseAndAscii) {
    const std::string text = "图片格式错误 abc 123";
    const std::string gbk = Utf8ToGbk(text);
    EXPECT_EQ(gbk.substr(0, 4), "\xCD\xBC\xC6\xAC"); // 图片
    EXPECT_EQ(gbk.size(), 6u * 2 + 8);
    EXPECT_EQ(GbkToUtf8(gbk), text);
}

TEST(Gbk, ReplacesWhatCannotBeConverted) {
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z"); // an emoji has no GBK form
    EXPECT_EQ(Utf8ToGbk("a\xFFz"), "a?z");             // not UTF-8 at all
    EXPECT_EQ(Utf8ToGbk("a\xE5\x9B"), "a?");           // truncated at the end
    EXPECT_EQ(GbkToUtf8("a\xCD"), "a\xEF\xBF\xBD");    // lone lead byte
    EXPECT_EQ(Utf8ToGbk(""), "");
}
