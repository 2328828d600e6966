#include "platform/linux/xdg_autostart.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(DesktopExecArgumentTest, QuotesByTheXdgRules) {
    struct Case {
        const char* argument;
        const char* exec;
    } cases[] = {
        {"/usr/bin/paperkit", "/usr/bin/paperkit"},
        {"/opt/My Apps/paperkit", "\"/opt/My Apps/paperkit\""},
        {"/opt/a\"b/paperkit", "\"/opt/a\\\\\"b/paperkit\""},
        {"/opt/$HOME`x`/p", "\"/opt/\\\\$HOME\\\\`x\\\\`/p\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/new\nline", "\"/opt/new\\nline\""},
        {"/opt/100%/p", "/opt/100%%/p"},
        {"/opt/it's", "\"/opt/it's\""},
        {"", "\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopExecArgument(c.argument), c.exec) << c.argument;
}

TEST(XdgAutostartTest, WritesTheEntryAndRemovesIt) {
    TempDir dir;
    XdgAutostart entry(dir / "config" / "autostart" / "paperkit.desktop");
    EXPECT_FALSE(entry.IsEnabled());
    ASSERT_TRUE(entry.Enable("/opt/My Apps/paperkit"));
    EXPECT_TRUE(entry.IsEnabled());
    EXPECT_EQ(ReadFile(entry.EntryFile()), "[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=PaperKit\n"
                                           "Exec=\"/opt/My Apps/paperkit\"\n"
                                           "Terminal=false\n"
                                           "X-GNOME-Autostart-enabled=true\n"
                                           "Hidden=false\n");
    // Writing again replaces the entry; no partial file is left beside it.
    ASSERT_TRUE(entry.Enable("/usr/bin/paperkit"));
    EXPECT_NE(ReadFile(entry.EntryFile()).find("Exec=/usr/bin/paperkit\n"), std::string::npos);
    int files = 0;
    for ([[maybe_unused]] const auto& f :
         std::filesystem::directory_iterator(entry.EntryFile().parent_path()))
        ++files;
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(entry.Disable());
    EXPECT_FALSE(entry.IsEnabled());
    EXPECT_TRUE(entry.Disable());
}

TEST(XdgAutostartTest, AFolderThatCannotBeWrittenFailsAndKeepsNothing) {
    TempDir dir;
    // "autostart" is a file here, so nothing can be made below it, whoever runs the test.
    WriteFile(dir / "autostart", "not a folder");
    XdgAutostart entry(dir / "autostart" / "paperkit.desktop");
    EXPECT_FALSE(entry.Enable("/usr/bin/paperkit"));
    EXPECT_FALSE(entry.IsEnabled());
    EXPECT_EQ(ReadFile(dir / "autostart"), "not a folder");
}

TEST(XdgAutostartTest, TheProgramsEntryLivesInTheConfigFolder) {
    TempDir dir;
    setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
    auto entry = CreateAutostart();
    ASSERT_TRUE(entry->Enable("/usr/bin/paperkit"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "cfg" / "autostart" / "paperkit.desktop"));
}

} // namespace
} // namespace paperkit
