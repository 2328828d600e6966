#include "ui/translations/interface_language.h"

#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(InterfaceLanguage, ChineseLocalesKeepTheirTextsAllOthersReadEnglish) {
    struct Case {
        int localeId;
        bool chinese;
    } cases[] = {{2052, true},  {1028, true},  {3076, true}, {4100, true},
                 {1033, false}, {1031, false}, {0, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ShowsChineseTexts(c.localeId), c.chinese) << c.localeId;
}

// One process, so one application: the Chinese locale first leaves the source texts, then an
// English locale puts the built-in translation in front of them, and a Chinese one takes it away.
TEST(InterfaceLanguage, TheBuiltInTranslationFollowsTheLocale) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const auto mainWindowText = [] {
        return QCoreApplication::translate("paperkit::TFmMain", "最新更新");
    };

    // Qt's own buttons, in the question boxes and folder browsers, read as the windows do.
    const auto qtYes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };

    setenv("LC_ALL", "zh_CN.UTF-8", 1);
    InstallInterfaceLanguage(app);
    EXPECT_EQ(mainWindowText(), QStringLiteral("最新更新"));
    EXPECT_EQ(qtYes(), QStringLiteral("是(&Y)")) << "scripts/deps installs Qt's translations";

    setenv("LC_ALL", "de_DE.UTF-8", 1);
    InstallInterfaceLanguage(app);
    EXPECT_EQ(mainWindowText(), QStringLiteral("Latest updates"));
    EXPECT_EQ(qtYes(), QStringLiteral("&Yes"));
    EXPECT_EQ(QCoreApplication::translate("paperkit::TFmNavigator", "退出"),
              QStringLiteral("Quit"));

    // Only the locale's name counts, not whether the machine has it: back to Chinese.
    setenv("LC_ALL", "zh_TW.Big5", 1);
    InstallInterfaceLanguage(app);
    EXPECT_EQ(mainWindowText(), QStringLiteral("最新更新"));
    unsetenv("LC_ALL");
}

} // namespace
} // namespace paperkit
