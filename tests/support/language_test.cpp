#include "support/language.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace paperkit {
namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            unsetenv(name);
    }
};

TEST_F(LanguageTest, TheLocaleChoosesTheColumn) {
    struct Case {
        const char* lang;
        int localeId;
        int column;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", 2052, 1},  {"zh_TW.UTF-8", 1028, 1},
        {"zh_HK", 3076, 1},        {"zh_SG.GB2312", 4100, 1},
        {"zh_CN@pinyin", 2052, 1}, {"en_US.UTF-8", 1033, 0},
        {"de_DE", 1033, 0},        {"C", 1033, 0},
        {"zh_CNX", 1033, 0},
    };
    for (const auto& c : cases) {
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(SystemLocaleId(), c.localeId) << c.lang;
        EXPECT_EQ(TLanguage().LangIndex(), c.column) << c.lang;
    }
    unsetenv("LANG");
    EXPECT_EQ(SystemLocaleId(), 1033);
}

TEST_F(LanguageTest, LcAllThenLcMessagesThenLang) {
    setenv("LANG", "en_US.UTF-8", 1);
    setenv("LC_MESSAGES", "zh_TW.UTF-8", 1);
    EXPECT_EQ(SystemLocaleId(), 1028);
    setenv("LC_ALL", "zh_CN.UTF-8", 1);
    EXPECT_EQ(SystemLocaleId(), 2052);
    setenv("LC_ALL", "", 1); // set but empty: skipped
    EXPECT_EQ(SystemLocaleId(), 1028);
}

TEST_F(LanguageTest, ChineseLocalesGetTheChineseTexts) {
    for (const int id : {1028, 2052, 3076, 4100}) {
        const TLanguage language(id);
        EXPECT_EQ(language.GetText(0), "青鸾画屏") << id;
        EXPECT_EQ(language.GetText(1), "您确认删除该壁纸吗？") << id;
    }
}

TEST_F(LanguageTest, OtherLocalesGetEnglishAndNoQuestionIsEmpty) {
    const TLanguage language(1033);
    EXPECT_EQ(language.GetText(0), "PaperKit");
    for (int number = 1; number <= 4; ++number)
        EXPECT_TRUE(language.GetText(number).ends_with("?")) << number;
    EXPECT_EQ(language.GetText(5), "");
}

TEST_F(LanguageTest, NumbersAndColumnsOutsideTheTableGiveEmptyTexts) {
    const TLanguage language(2052);
    EXPECT_EQ(language.GetText(6), "");
    EXPECT_EQ(language.GetText(-1), "");
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(language.GetTextIn(6, column), "") << column;
    EXPECT_EQ(language.GetTextIn(0, 4), "");
    EXPECT_EQ(language.GetTextIn(0, -1), "");
    EXPECT_EQ(language.GetTextIn(0, 2), ""); // Traditional Chinese was never filled
    EXPECT_EQ(language.GetTextIn(3, 1), "您确认删除该图片吗？");
}

} // namespace
} // namespace paperkit
