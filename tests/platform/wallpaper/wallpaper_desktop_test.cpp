// The desktop backends against fake desktop tools placed first on PATH: each fake appends its
// name and arguments to a log, so the tests see the exact calls.
#include "platform/settings_store.h"
#include "platform/wallpaper/linux/linux_wallpaper.h"
#include "platform/wallpaper/wallpaper_style.h"
#include "testsupport/temp_dir.h"
#include "wallpaper_fixtures.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::TempDir;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kFakeTool = R"(#!/bin/sh
name=$(basename "$0")
{ printf '%s' "$name"; for a in "$@"; do printf ' [%s]' "$a"; done; printf '\n'; } >> "$FAKE_TOOL_LOG"
case "$FAKE_TOOL_MODE" in
    fail) echo "$name: simulated refusal" >&2; exit 3 ;;
    hang) sleep 30 ;;
esac
if [ "$name" = xfconf-query ] && [ "$*" = "-c xfce4-desktop -p /backdrop -l" ]; then
    echo /backdrop/screen0/monitorHDMI-0/workspace0/image-style
    echo /backdrop/screen0/monitorHDMI-0/workspace0/last-image
    echo /backdrop/screen0/monitorVGA-1/workspace1/last-image
fi
exit 0
)";

// An in-memory store: the desktop library only reads from it.
class MemoryStore : public SettingsStore {
public:
    std::map<std::string, std::string> values; // "key|name"

    std::optional<std::string> ReadString(Hive hive, std::string_view key,
                                          std::string_view name) const override {
        if (hive != Hive::CurrentUser)
            return std::nullopt;
        const auto it = values.find(std::string(key) + "|" + std::string(name));
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<int> ReadInteger(Hive, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    bool WriteString(Hive, std::string_view, std::string_view, std::string_view) override {
        return false;
    }
    bool WriteInteger(Hive, std::string_view, std::string_view, int) override { return false; }
    bool DeleteValue(Hive, std::string_view, std::string_view) override { return false; }

    void SetStyle(const char* tile, const char* style) {
        values[std::string(kDesktopKey) + "|TileWallpaper"] = tile;
        values[std::string(kDesktopKey) + "|WallpaperStyle"] = style;
    }
};

class DesktopToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"gsettings", "xfconf-query", "pcmanfm-qt", "pcmanfm", "swaymsg",
                                 "dbus-send", "feh"}) {
            test::WriteFile(m_dir / "bin" / tool, kFakeTool);
            fs::permissions(m_dir / "bin" / tool, fs::perms::owner_all);
        }
        m_env.Set("PATH", ((m_dir / "bin").string() + ":" + std::getenv("PATH")).c_str());
        m_env.Set("FAKE_TOOL_LOG", (m_dir / "calls.log").c_str());
        m_env.Set("FAKE_TOOL_MODE", nullptr);
        m_env.Set("PAPERKIT_LOG", (m_dir / "paperkit.log").c_str());
        for (const char* name :
             {"XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "SWAYSOCK", "DISPLAY",
              "WAYLAND_DISPLAY", "PAPERKIT_WALLPAPER_COMMAND"})
            m_env.Set(name, nullptr);
        // A quote, a blank and a non-ASCII letter: nothing may break out of its argument.
        m_picture = m_dir / "pics" / "it's a \"pic\" ä.JPG";
        test::WriteQuadrantPicture(m_picture, "JPG");
    }

    bool Change(const fs::path& picture) {
        LinuxWallpaper wallpaper(m_store, {m_dir / "cache", m_limit});
        return wallpaper.Change(picture);
    }
    bool Clear() {
        LinuxWallpaper wallpaper(m_store, {m_dir / "cache", m_limit});
        return wallpaper.Clear();
    }

    // The calls made since the last look, with the cache folder shown as <cache>.
    std::string Calls() {
        std::string log = test::ReadFile(m_dir / "calls.log");
        fs::remove(m_dir / "calls.log");
        const std::string cache = (m_dir / "cache").string();
        for (std::size_t at; (at = log.find(cache)) != std::string::npos;)
            log.replace(at, cache.size(), "<cache>");
        return log;
    }

    std::vector<fs::path> CacheFiles() const {
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::directory_iterator it(m_dir / "cache", ec), end; !ec && it != end; ++it)
            files.push_back(it->path().filename());
        std::sort(files.begin(), files.end());
        return files;
    }

    TempDir m_dir;
    test::ScopedEnv m_env;
    MemoryStore m_store;
    fs::path m_picture;
    std::chrono::milliseconds m_limit = 5s;
};

TEST_F(DesktopToolsTest, EachDesktopGetsItsOwnCallsForSetStyleAndClear) {
    struct Case {
        const char* desktop;
        const char* tile;
        const char* style;
        std::string set;   // calls for the first picture, whose copy is wallpaper-1
        std::string clear; // calls for clearing
    };
    const std::string g = "gsettings [set] [org.gnome.desktop.background] ";
    const std::string x = "xfconf-query [-c] [xfce4-desktop] [-p] ";
    const std::string hdmi = "[/backdrop/screen0/monitorHDMI-0/workspace0/";
    const std::string vga = "[/backdrop/screen0/monitorVGA-1/workspace1/";
    const std::string list = x + "[/backdrop] [-l]\n";
    const Case cases[] = {
        {"ubuntu:GNOME", "0", "0",
         g + "[picture-options] ['centered']\n" + g +
             "[picture-uri] ['file://<cache>/wallpaper-1.jpg']\n" + g +
             "[picture-uri-dark] ['file://<cache>/wallpaper-1.jpg']\n",
         g + "[picture-options] ['none']\n" + g + "[picture-uri] ['']\n" + g +
             "[picture-uri-dark] ['']\n"},
        {"X-Cinnamon", "0", "2",
         "gsettings [set] [org.cinnamon.desktop.background] [picture-options] ['stretched']\n"
         "gsettings [set] [org.cinnamon.desktop.background] [picture-uri] "
         "['file://<cache>/wallpaper-1.jpg']\n",
         "gsettings [set] [org.cinnamon.desktop.background] [picture-options] ['none']\n"
         "gsettings [set] [org.cinnamon.desktop.background] [picture-uri] ['']\n"},
        {"MATE", "1", "0",
         "gsettings [set] [org.mate.background] [picture-options] ['wallpaper']\n"
         "gsettings [set] [org.mate.background] [picture-filename] ['<cache>/wallpaper-1.jpg']\n",
         "gsettings [set] [org.mate.background] [picture-filename] ['']\n"},
        {"XFCE", "1", "0",
         list + x + hdmi + "last-image] [-s] []\n" + x + hdmi +
             "image-style] [-n] [-t] [int] [-s] [2]\n" + x + hdmi +
             "last-image] [-s] [<cache>/wallpaper-1.jpg]\n" + x + vga + "last-image] [-s] []\n" +
             x + vga + "image-style] [-n] [-t] [int] [-s] [2]\n" + x + vga +
             "last-image] [-s] [<cache>/wallpaper-1.jpg]\n",
         list + x + hdmi + "last-image] [-s] []\n" + x + hdmi +
             "image-style] [-n] [-t] [int] [-s] [0]\n" + x + vga + "last-image] [-s] []\n" + x +
             vga + "image-style] [-n] [-t] [int] [-s] [0]\n"},
        {"LXQt", "0", "2",
         "pcmanfm-qt [--set-wallpaper] [<cache>/wallpaper-1.jpg] [--wallpaper-mode] [stretch]\n",
         "pcmanfm-qt [--wallpaper-mode] [color]\n"},
        {"LXDE", "0", "0",
         "pcmanfm [--set-wallpaper] [<cache>/wallpaper-1.jpg] [--wallpaper-mode=center]\n",
         "pcmanfm [--wallpaper-mode=color]\n"},
        {"sway", "1", "0", "swaymsg [output] [*] [bg] [\"<cache>/wallpaper-1.png\"] [tile]\n",
         "swaymsg [output] [*] [bg] [#000000] [solid_color]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        fs::remove_all(m_dir / "cache");
        m_env.Set("XDG_CURRENT_DESKTOP", c.desktop);
        m_store.SetStyle(c.tile, c.style);
        EXPECT_TRUE(Change(m_picture));
        EXPECT_EQ(Calls(), c.set);
        EXPECT_TRUE(Clear());
        EXPECT_EQ(Calls(), c.clear);
    }
}

TEST_F(DesktopToolsTest, GnomeGetsAFreshNameEachTimeAndKeepsTwoCopies) {
    m_env.Set("XDG_CURRENT_DESKTOP", "GNOME");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Change(m_picture));
    const std::string calls = Calls();
    EXPECT_THAT(calls, HasSubstr("[picture-uri] ['file://<cache>/wallpaper-2.jpg']"));
    EXPECT_THAT(calls, HasSubstr("[picture-uri-dark] ['file://<cache>/wallpaper-3.jpg']"));
    EXPECT_EQ(CacheFiles(), (std::vector<fs::path>{"wallpaper-2.jpg", "wallpaper-3.jpg"}));
}

TEST_F(DesktopToolsTest, AFailingOrHangingToolIsAFailureWithItsReason) {
    const std::pair<const char*, const char*> cases[] = {{"fail", "simulated refusal"},
                                                         {"hang", "did not finish in time"}};
    m_limit = 300ms;
    for (const char* desktop : {"GNOME", "XFCE", "sway"}) {
        for (const auto& [mode, reason] : cases) {
            SCOPED_TRACE(std::string(desktop) + " " + mode);
            fs::remove(m_dir / "paperkit.log");
            m_env.Set("XDG_CURRENT_DESKTOP", desktop);
            m_env.Set("FAKE_TOOL_MODE", mode);
            EXPECT_FALSE(Change(m_picture));
            EXPECT_FALSE(Clear());
            EXPECT_THAT(test::ReadFile(m_dir / "paperkit.log"), HasSubstr(reason));
            EXPECT_THAT(CacheFiles(), IsEmpty()) << "the refused copy is removed";
            Calls();
        }
    }
}

TEST_F(DesktopToolsTest, WhatIsNotAPictureNeverReachesTheDesktop) {
    test::WriteFile(m_dir / "notes.jpg", "plain text");
    for (const char* desktop : {"GNOME", "KDE", "XFCE", "sway"}) {
        m_env.Set("XDG_CURRENT_DESKTOP", desktop);
        EXPECT_FALSE(Change(m_dir / "missing.jpg"));
        EXPECT_FALSE(Change(m_dir / "notes.jpg"));
        EXPECT_FALSE(Change(m_dir / "pics"));
    }
    EXPECT_EQ(Calls(), "");
    EXPECT_THAT(CacheFiles(), IsEmpty());
    EXPECT_THAT(test::ReadFile(m_dir / "paperkit.log"), HasSubstr("notes.jpg"));
}

TEST_F(DesktopToolsTest, ACommandTemplateReplacesTheDesktop) {
    m_env.Set("XDG_CURRENT_DESKTOP", "GNOME");
    m_store.values["Software\\Ravenmoor\\PaperKit|WallpaperCommand"] = "feh --bg-scale '%f'";
    ASSERT_TRUE(Change(m_picture));
    EXPECT_EQ(Calls(), "feh [--bg-scale] [" + m_picture.string() + "]\n");

    // The environment wins over the stored value.
    m_env.Set("PAPERKIT_WALLPAPER_COMMAND", "feh --bg-fill \"the pic: %f\" x");
    ASSERT_TRUE(Change(m_picture));
    EXPECT_EQ(Calls(), "feh [--bg-fill] [the pic: " + m_picture.string() + "] [x]\n");

    m_env.Set("PAPERKIT_WALLPAPER_COMMAND", "feh 'unterminated %f");
    EXPECT_FALSE(Change(m_picture));
    m_env.Set("FAKE_TOOL_MODE", "fail");
    m_env.Set("PAPERKIT_WALLPAPER_COMMAND", "feh %f");
    EXPECT_FALSE(Change(m_picture));
    EXPECT_THAT(test::ReadFile(m_dir / "paperkit.log"), HasSubstr("unterminated"));
    EXPECT_THAT(test::ReadFile(m_dir / "paperkit.log"), HasSubstr("simulated refusal"));
}

TEST_F(DesktopToolsTest, AnUnknownWaylandDesktopFailsUnlessACommandIsSet) {
    m_env.Set("XDG_CURRENT_DESKTOP", "Hyprland");
    m_env.Set("WAYLAND_DISPLAY", "wayland-1");
    m_env.Set("DISPLAY", ":0");
    EXPECT_FALSE(Change(m_picture));
    EXPECT_FALSE(Clear());
    EXPECT_THAT(test::ReadFile(m_dir / "paperkit.log"), HasSubstr("Wayland"));
    EXPECT_THAT(Calls(), IsEmpty());

    // A command template is the way there, and it is told the stored style.
    m_env.Set("PAPERKIT_WALLPAPER_COMMAND", "feh --mode=%s %f");
    const struct {
        const char* tile;
        const char* style;
        const char* name;
    } styles[] = {{"0", "2", "stretch"}, {"1", "0", "tile"}, {"0", "0", "centre"}};
    for (const auto& s : styles) {
        m_store.SetStyle(s.tile, s.style);
        ASSERT_TRUE(Change(m_picture)) << s.name;
        EXPECT_EQ(Calls(),
                  "feh [--mode=" + std::string(s.name) + "] [" + m_picture.string() + "]\n");
    }
}

// The fake Plasma shell on a private session bus of its own (dbus-run-session), reached through
// the real dbus-send. It goes when this object closes its standard input, or when the test dies.
class FakePlasmaShell {
public:
    FakePlasmaShell(const fs::path& log, const fs::path& ready) {
        int input[2];
        if (::pipe2(input, O_CLOEXEC) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::dup2(input[0], STDIN_FILENO);
            ::execlp("dbus-run-session", "dbus-run-session", "--", FAKE_PLASMASHELL, log.c_str(),
                     ready.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(input[0]);
        m_input = input[1];
        for (int i = 0; i < 300 && m_pid > 0 && !fs::exists(ready); ++i) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                m_pid = -1;
            std::this_thread::sleep_for(50ms);
        }
        if (fs::exists(ready))
            m_address = test::ReadFile(ready);
    }
    ~FakePlasmaShell() {
        if (m_input >= 0)
            ::close(m_input);
        if (m_pid <= 0)
            return;
        for (int i = 0; i < 100; ++i) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                return;
            std::this_thread::sleep_for(50ms);
        }
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    FakePlasmaShell(const FakePlasmaShell&) = delete;
    FakePlasmaShell& operator=(const FakePlasmaShell&) = delete;

    /// The private bus's address; empty when the shell did not come up.
    const std::string& Address() const { return m_address; }

private:
    pid_t m_pid = -1;
    int m_input = -1;
    std::string m_address;
};

TEST_F(DesktopToolsTest, PlasmaGetsAScriptOverDBus) {
    fs::remove(m_dir / "bin" / "dbus-send"); // the real one this time
    const fs::path scripts = m_dir / "plasma.log";
    FakePlasmaShell shell(scripts, m_dir / "plasma.ready");
    if (shell.Address().empty())
        GTEST_SKIP() << "dbus-run-session did not start the fake Plasma shell";
    m_env.Set("DBUS_SESSION_BUS_ADDRESS", shell.Address().c_str());
    m_env.Set("XDG_CURRENT_DESKTOP", "KDE");

    m_store.SetStyle("0", "0");
    ASSERT_TRUE(Change(m_picture));
    const std::string uri = "file://" + (m_dir / "cache").string() + "/wallpaper-1.jpg";
    EXPECT_EQ(test::ReadFile(scripts),
              "var uri = '" + uri +
                  "';\nvar all = desktops();\nfor (var i = 0; i < all.length; i++) {\n"
                  "    var d = all[i];\n    d.wallpaperPlugin = 'org.kde.image';\n"
                  "    d.currentConfigGroup = Array('Wallpaper', 'org.kde.image', 'General');\n"
                  "    d.writeConfig('Image', uri);\n    d.writeConfig('FillMode', 6);\n}\n\n--\n");
    for (const auto& [tile, style, mode] :
         {std::tuple{"0", "2", "'FillMode', 0"}, std::tuple{"1", "0", "'FillMode', 3"}}) {
        fs::remove(scripts);
        m_store.SetStyle(tile, style);
        ASSERT_TRUE(Change(m_picture));
        EXPECT_THAT(test::ReadFile(scripts), HasSubstr(mode));
    }

    fs::remove(scripts);
    ASSERT_TRUE(Clear());
    EXPECT_THAT(test::ReadFile(scripts), HasSubstr("d.wallpaperPlugin = 'org.kde.color'"));

    // Plasma 5 refuses scripts while the widgets are locked; the user must learn why.
    const auto before = CacheFiles();
    test::WriteFile(m_dir / "plasma.log.locked", "");
    EXPECT_FALSE(Change(m_picture));
    EXPECT_FALSE(Clear());
    EXPECT_THAT(test::ReadFile(m_dir / "paperkit.log"), HasSubstr("Widgets are locked"));
    EXPECT_EQ(CacheFiles(), before);
}

TEST_F(DesktopToolsTest, SwayRefusesACacheFolderItCannotBeHandedSafely) {
    m_env.Set("XDG_CURRENT_DESKTOP", "sway");
    LinuxWallpaper wallpaper(m_store, {m_dir / "ca$(touch x)che", 2s});
    EXPECT_FALSE(wallpaper.Change(m_picture));
    EXPECT_EQ(Calls(), "");
}

} // namespace
} // namespace paperkit
