#include "platform/wallpaper/linux/command_template.h"
#include "platform/wallpaper/linux/desktop.h"
#include "platform/wallpaper/linux/desktop_tools.h"
#include "platform/wallpaper/linux/picture.h"
#include "platform/wallpaper/linux/process.h"
#include "platform/wallpaper/wallpaper_style.h"
#include "testsupport/temp_dir.h"
#include "wallpaper_fixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <unistd.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(WallpaperStyle, StoredPairs) {
    struct Case {
        std::optional<std::string> tile, style;
        WallpaperStyle expected;
    };
    const Case cases[] = {
        {"0", "0", WallpaperStyle::Centre},
        {"0", "2", WallpaperStyle::Stretch},
        {"1", "0", WallpaperStyle::Tile},
        {"1", "2", WallpaperStyle::Centre},
        {"0", "10", WallpaperStyle::Centre},
        {" 0", "2", WallpaperStyle::Centre},
        {std::nullopt, "2", WallpaperStyle::Centre},
        {std::nullopt, std::nullopt, WallpaperStyle::Centre},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WallpaperStyleFromValues(c.tile, c.style), c.expected)
            << c.tile.value_or("<none>") << "/" << c.style.value_or("<none>");
}

TEST(CommandTemplate, SplitsLikeAShell) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(SplitCommandTemplate("feh --bg-fill %f"), (Words{"feh", "--bg-fill", "%f"}));
    EXPECT_EQ(SplitCommandTemplate("  a\t 'b c'  \"d \\\"e\\\" $x\" f\\ g "),
              (Words{"a", "b c", "d \"e\" $x", "f g"}));
    EXPECT_EQ(SplitCommandTemplate("a'b'\"c\"d ''"), (Words{"abcd", ""}));
    EXPECT_EQ(SplitCommandTemplate("echo \"it's\" 'a\\b'"), (Words{"echo", "it's", "a\\b"}));
    EXPECT_EQ(SplitCommandTemplate("x; rm -rf / `y` $(z)"),
              (Words{"x;", "rm", "-rf", "/", "`y`", "$(z)"}));
    EXPECT_EQ(SplitCommandTemplate("'unterminated"), std::nullopt);
    EXPECT_EQ(SplitCommandTemplate("\"unterminated"), std::nullopt);
    EXPECT_EQ(SplitCommandTemplate("trailing\\"), std::nullopt);
}

TEST(CommandTemplate, PictureStaysOneWord) {
    const auto words = SplitCommandTemplate("set --file=%f %f 100%% %x --mode=%s");
    ASSERT_TRUE(words);
    EXPECT_THAT(
        ExpandCommandTemplate(*words, "/p/a b'c%f.jpg", "tile"),
        ElementsAre("set", "--file=/p/a b'c%f.jpg", "/p/a b'c%f.jpg", "100%", "%x", "--mode=tile"));
}

TEST(Desktop, DetectedFromTheEnvironment) {
    struct Case {
        const char* current;
        const char* session;
        const char* other; // "KDE_FULL_SESSION", "SWAYSOCK" or "DISPLAY", set to a value
        Desktop expected;
        bool wayland = false; // WAYLAND_DISPLAY set as well
    };
    const Case cases[] = {
        {"ubuntu:GNOME", nullptr, nullptr, Desktop::Gnome},
        {"Unity", nullptr, nullptr, Desktop::Gnome},
        {"Budgie:GNOME", nullptr, nullptr, Desktop::Gnome},
        {"X-Cinnamon", nullptr, nullptr, Desktop::Cinnamon},
        {"MATE", nullptr, nullptr, Desktop::Mate},
        {"KDE", nullptr, nullptr, Desktop::Kde},
        {"XFCE", nullptr, nullptr, Desktop::Xfce},
        {"LXQt", nullptr, nullptr, Desktop::Lxqt},
        {"LXDE", nullptr, nullptr, Desktop::Lxde},
        {"sway", nullptr, nullptr, Desktop::Sway},
        {"i3", "plasma", nullptr, Desktop::Kde},
        {nullptr, nullptr, "KDE_FULL_SESSION", Desktop::Kde},
        {nullptr, nullptr, "SWAYSOCK", Desktop::Sway},
        {"i3", nullptr, "DISPLAY", Desktop::X11},
        {nullptr, nullptr, nullptr, Desktop::Unknown},
        // Under Wayland the X11 root window is the compatibility server's: nothing shows it.
        {"i3", nullptr, "DISPLAY", Desktop::Unknown, true},
        {"GNOME", nullptr, "DISPLAY", Desktop::Gnome, true},
        {nullptr, nullptr, "SWAYSOCK", Desktop::Sway, true},
    };
    for (const Case& c : cases) {
        test::ScopedEnv env;
        env.Set("XDG_CURRENT_DESKTOP", c.current);
        env.Set("XDG_SESSION_DESKTOP", c.session);
        for (const char* name : {"DESKTOP_SESSION", "KDE_FULL_SESSION", "SWAYSOCK", "DISPLAY"})
            env.Set(name, nullptr);
        env.Set("WAYLAND_DISPLAY", c.wayland ? "wayland-0" : nullptr);
        if (c.other)
            env.Set(c.other, std::string(c.other) == "KDE_FULL_SESSION" ? "true" : ":5");
        EXPECT_EQ(DetectDesktop(), c.expected)
            << (c.current ? c.current : "") << (c.other ? c.other : "") << c.wayland;
    }
}

TEST(Quoting, PathsCannotBreakOut) {
    EXPECT_EQ(FileUri("/home/u/my pic's #1 ä.jpg"),
              "file:///home/u/my%20pic%27s%20%231%20%C3%A4.jpg");
    EXPECT_EQ(GVariantString("/a/it's\\x\n"), "'/a/it\\'s\\\\x\\u000a'");
    EXPECT_EQ(GVariantString(""), "''");
    EXPECT_EQ(JavaScriptString("a'b\"c\\d\n"), "'a\\'b\\\"c\\\\d\\x0a'");
}

TEST(Process, ReportsExitOutputAndMissingPrograms) {
    ProcessResult ok = RunProcess({"sh", "-c", "echo out; echo err >&2"}, 10s);
    EXPECT_TRUE(ok.Succeeded());
    EXPECT_EQ(ok.output, "out\n");
    EXPECT_EQ(ok.errors, "err\n");

    ProcessResult failed = RunProcess({"sh", "-c", "echo 'no such key' >&2; exit 4"}, 10s);
    EXPECT_FALSE(failed.Succeeded());
    EXPECT_EQ(failed.exitCode, 4);
    EXPECT_THAT(failed.Reason(), HasSubstr("no such key"));

    ProcessResult missing = RunProcess({"paperkit-no-such-tool"}, 10s);
    EXPECT_FALSE(missing.Succeeded());
    EXPECT_FALSE(missing.started);
}

TEST(Process, AHangingToolIsKilledWithWhatItStarted) {
    TempDir dir;
    const fs::path marker = dir / "still-running";
    // The grandchild would create the marker if it outlived the kill, and keeps the pipes open.
    ProcessResult hung =
        RunProcess({"sh", "-c", "(sleep 1; touch '" + marker.string() + "') & sleep 30"}, 300ms);
    EXPECT_TRUE(hung.timedOut);
    EXPECT_FALSE(hung.Succeeded());
    EXPECT_THAT(hung.Reason(), HasSubstr("did not finish in time"));
    ::sleep(2);
    EXPECT_FALSE(fs::exists(marker));
}

TEST(Picture, TakesTheFourFormatsByContentInAnyCase) {
    TempDir dir;
    test::WriteQuadrantPicture(dir / "a.JPG", "JPG");
    test::WriteQuadrantPicture(dir / "b.Bmp", "BMP");
    test::WriteQuadrantPicture(dir / "c.png", "PNG");
    test::WriteGif(dir / "d.GIF");
    test::WriteQuadrantPicture(dir / "bmp-named.jpg", "BMP");
    const std::pair<const char*, const char*> cases[] = {{"a.JPG", "jpeg"},
                                                         {"b.Bmp", "bmp"},
                                                         {"c.png", "png"},
                                                         {"d.GIF", "gif"},
                                                         {"bmp-named.jpg", "bmp"}};
    for (const auto& [name, format] : cases) {
        std::string reason;
        const auto picture = LoadPicture(dir / name, reason);
        ASSERT_TRUE(picture) << name << ": " << reason;
        EXPECT_EQ(picture->format, format);
        EXPECT_FALSE(picture->image.isNull());
    }
}

TEST(Picture, RefusesWhatIsNotAReadablePicture) {
    TempDir dir;
    test::WriteFile(dir / "text.jpg", "just some text, not a picture");
    test::WriteFile(dir / "empty.bmp", "");
    test::WriteQuadrantPicture(dir / "whole.jpg", "JPG");
    const std::string whole = test::ReadFile(dir / "whole.jpg");
    test::WriteFile(dir / "cut.jpg", whole.substr(0, 20));
    fs::create_directories(dir / "folder.jpg");
    for (const char* name : {"missing.jpg", "text.jpg", "empty.bmp", "cut.jpg", "folder.jpg"}) {
        std::string reason;
        EXPECT_FALSE(LoadPicture(dir / name, reason)) << name;
        EXPECT_FALSE(reason.empty()) << name;
    }
}

TEST(WallpaperCache, KeepsTheShownAndThePreviousCopy) {
    TempDir dir;
    test::WriteQuadrantPicture(dir / "p.jpg", "JPG");
    std::string reason;
    const auto picture = LoadPicture(dir / "p.jpg", reason);
    ASSERT_TRUE(picture);
    WallpaperCache cache(dir / "cache");
    test::WriteFile(dir / "cache" / "notes.txt", "not ours");

    std::vector<fs::path> shown;
    for (int i = 0; i < 3; ++i) {
        const auto copy = cache.Add(*picture, "", reason);
        ASSERT_TRUE(copy) << reason;
        EXPECT_EQ(test::ReadFile(*copy), test::ReadFile(dir / "p.jpg"));
        EXPECT_EQ(copy->extension(), ".jpg");
        cache.Keep(*copy);
        shown.push_back(*copy);
    }
    EXPECT_EQ(std::set<fs::path>(shown.begin(), shown.end()).size(), 3u) << "fresh names";
    EXPECT_FALSE(fs::exists(shown[0]));
    EXPECT_TRUE(fs::exists(shown[1]));
    EXPECT_TRUE(fs::exists(shown[2]));
    EXPECT_TRUE(fs::exists(dir / "cache" / "notes.txt"));

    const auto converted = cache.Add(*picture, "png", reason);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->extension(), ".png");
    std::string again;
    EXPECT_TRUE(LoadPicture(*converted, again));
    cache.Discard(*converted);
    EXPECT_FALSE(fs::exists(*converted));
    EXPECT_TRUE(fs::exists(shown[1]));
    EXPECT_TRUE(fs::exists(shown[2]));
}

} // namespace
} // namespace paperkit
