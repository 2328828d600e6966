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
                                           "Name[zh_CN]=青鸾画屏\n"
                                           "Icon=paperkit\n"
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

// An installed PaperKit starts the way its menu entry does; a program outside an installed tree
// (a build folder, an unpacked archive) starts by its own absolute path.
TEST(XdgAutostartTest, StartsTheInstalledMenuEntrysCommandOrTheProgramItself) {
    struct Case {
        const char* name;
        const char* programFile; // relative to the test folder
        const char* menuEntry;   // share/applications/paperkit.desktop, nullptr for none
        const char* exec;        // "@" stands for the test folder
    } cases[] = {
        {"installed", "usr/bin/paperkit", "[Desktop Entry]\nTryExec=other\nExec=paperkit %f\n",
         "paperkit"},
        {"every field code goes", "usr/bin/paperkit",
         "[Desktop Entry]\nExec=paperkit --tray %U %i %c %k\n", "paperkit --tray"},
        {"quoted command", "usr/bin/paperkit",
         "[Desktop Entry]\nExec=\"/opt/My Apps/paperkit\" %f\n", "\"/opt/My Apps/paperkit\""},
        {"a literal percent stays", "usr/bin/paperkit",
         "[Desktop Entry]\nExec = paperkit --at 100%% %f\r\n", "paperkit --at 100%%"},
        {"only the main group counts", "usr/bin/paperkit",
         "[Desktop Action next]\nExec=paperkit --next-album\n[Desktop Entry]\nName=PaperKit\n"
         "Exec=paperkit %f\n[Desktop Action quit]\nExec=paperkit --quit\n",
         "paperkit"},
        {"an entry without Exec", "usr/bin/paperkit", "[Desktop Entry]\nName=PaperKit\n",
         "@/usr/bin/paperkit"},
        {"an entry of field codes only", "usr/bin/paperkit", "[Desktop Entry]\nExec=%f\n",
         "@/usr/bin/paperkit"},
        {"not installed", "usr/bin/paperkit", nullptr, "@/usr/bin/paperkit"},
        {"a build folder", "build/src/ui/program/paperkit", "[Desktop Entry]\nExec=paperkit %f\n",
         "@/build/src/ui/program/paperkit"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        // A space in the folder makes the fallback's quoting show.
        const std::filesystem::path root = dir / "My Root";
        WriteFile(root / c.programFile, "#!/bin/sh\n");
        // PREFIX/share/applications beside the program's folder, and under the test folder too.
        const auto folder = (root / c.programFile).parent_path();
        if (c.menuEntry) {
            WriteFile(folder.parent_path() / "share" / "applications" / "paperkit.desktop",
                      c.menuEntry);
            WriteFile(root / "share" / "applications" / "paperkit.desktop", c.menuEntry);
        }
        std::string expected = c.exec;
        if (expected.front() == '@')
            expected = DesktopExecArgument(root.string() + expected.substr(1));
        EXPECT_EQ(AutostartExec(root / c.programFile), expected) << c.name;
        EXPECT_NE(AutostartEntry(root / c.programFile).find("\nExec=" + expected + "\n"),
                  std::string::npos)
            << c.name;
    }
}

TEST(XdgAutostartTest, ARelativeProgramPathBecomesAbsolute) {
    TempDir dir;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string exec = AutostartExec("./tools/../paperkit");
    std::filesystem::current_path(before);
    EXPECT_EQ(exec, DesktopExecArgument((dir / "paperkit").string()));
}

// An entry the user or the session switched off does not count as starting with the system.
TEST(XdgAutostartTest, AnEntrySwitchedOffIsNotEnabled) {
    struct Case {
        const char* entry;
        bool enabled;
    } cases[] = {
        {"[Desktop Entry]\nExec=paperkit\n", true},
        {"[Desktop Entry]\nExec=paperkit\nHidden=false\nX-GNOME-Autostart-enabled=true\n", true},
        {"[Desktop Entry]\nExec=paperkit\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=paperkit\nHidden = true\n", false},
        {"[Desktop Entry]\nExec=paperkit\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nExec=paperkit\n[Desktop Action a]\nHidden=true\n", true},
        {"", true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        XdgAutostart entry(dir / "paperkit.desktop");
        WriteFile(entry.EntryFile(), c.entry);
        EXPECT_EQ(entry.IsEnabled(), c.enabled) << c.entry;
    }
    // Writing the entry again switches it back on.
    TempDir dir;
    XdgAutostart entry(dir / "paperkit.desktop");
    WriteFile(entry.EntryFile(), "[Desktop Entry]\nHidden=true\n");
    ASSERT_TRUE(entry.Enable("/usr/bin/paperkit"));
    EXPECT_TRUE(entry.IsEnabled());
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
