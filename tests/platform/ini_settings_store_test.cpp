#include "platform/linux/ini_settings_store.h"
#include "support/ini_file.h"
#include "testsupport/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace paperkit {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class IniSettingsStoreTest : public ::testing::Test {
protected:
    TempDir m_dir;
    std::filesystem::path m_user = m_dir / "config" / "Ravenmoor" / "PaperKit.conf";
    std::filesystem::path m_machine = m_dir / "etc" / "PaperKit.conf";
    IniSettingsStore m_store{m_user, m_machine};
};

TEST_F(IniSettingsStoreTest, RoundTripsValuesInSectionsNamedAfterTheKeyPath) {
    EXPECT_EQ(m_store.ReadString(Hive::CurrentUser, "Control Panel\\Desktop", "WallpaperStyle"),
              std::nullopt);
    ASSERT_TRUE(
        m_store.WriteString(Hive::CurrentUser, "Control Panel\\Desktop", "WallpaperStyle", "2"));
    ASSERT_TRUE(
        m_store.WriteInteger(Hive::CurrentUser, "\\Software\\Ravenmoor\\PaperKit", "Debug", -1));
    EXPECT_EQ(ReadFile(m_user), "[Control Panel\\Desktop]\r\nWallpaperStyle=2\r\n"
                                "[Software\\Ravenmoor\\PaperKit]\r\nDebug=-1\r\n");
    EXPECT_EQ(m_store.ReadString(Hive::CurrentUser, "Control Panel\\Desktop", "wallpaperstyle"),
              "2");
    EXPECT_EQ(m_store.ReadInteger(Hive::CurrentUser, "Software\\Ravenmoor\\PaperKit", "Debug"), -1);
    EXPECT_EQ(m_store.ReadString(Hive::LocalMachine, "Control Panel\\Desktop", "WallpaperStyle"),
              std::nullopt);
}

TEST_F(IniSettingsStoreTest, ReadsOnlyWholeDecimalNumbersAsIntegers) {
    WriteFile(m_user, "[K]\na=42\nb=+7\nc=4x\nd=\ne=99999999999\nf=0x10\ng= -3 \n");
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"a", 42},           {"b", 7},
        {"c", std::nullopt}, {"d", std::nullopt},
        {"e", std::nullopt}, {"f", std::nullopt},
        {"g", -3},           {"missing", std::nullopt},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(m_store.ReadInteger(Hive::CurrentUser, "K", name), expected) << name;
}

TEST_F(IniSettingsStoreTest, DeletingKeepsTheOtherValues) {
    ASSERT_TRUE(m_store.WriteString(Hive::CurrentUser, "K", "a", "1"));
    ASSERT_TRUE(m_store.WriteString(Hive::CurrentUser, "K", "b", "2"));
    EXPECT_TRUE(m_store.DeleteValue(Hive::CurrentUser, "K", "a"));
    EXPECT_TRUE(m_store.DeleteValue(Hive::CurrentUser, "K", "never"));
    EXPECT_EQ(m_store.ReadString(Hive::CurrentUser, "K", "a"), std::nullopt);
    EXPECT_EQ(m_store.ReadString(Hive::CurrentUser, "K", "b"), "2");
}

TEST_F(IniSettingsStoreTest, MachineHiveThatCannotBeWrittenFailsCleanly) {
    WriteFile(m_dir / "etc", "a file where the folder should be");
    EXPECT_FALSE(m_store.WriteString(Hive::LocalMachine, "K", "a", "1"));
    EXPECT_EQ(m_store.ReadString(Hive::LocalMachine, "K", "a"), std::nullopt);
    EXPECT_EQ(ReadFile(m_dir / "etc"), "a file where the folder should be");
    EXPECT_TRUE(m_store.WriteString(Hive::CurrentUser, "K", "a", "1"));
}

TEST(CreateSettingsStore, KeepsTheUserHiveBelowTheConfigFolder) {
    const auto store = CreateSettingsStore();
    ASSERT_TRUE(store->WriteString(Hive::CurrentUser, "Software\\Ravenmoor\\PaperKit", "x", "1"));
    const std::filesystem::path expected =
        std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Ravenmoor" / "PaperKit.conf";
    EXPECT_EQ(ReadIniValue(expected, "Software\\Ravenmoor\\PaperKit", "x"), "1");
}

} // namespace
} // namespace paperkit
