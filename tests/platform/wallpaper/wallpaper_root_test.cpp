// The root window backend on a private Xvfb, driven through the program's WallpaperSetter, the
// exported library functions and the real settings store.
#include "platform/settings_store.h"
#include "platform/wallpaper.h"
#include "platform/wallpaper/utils.h"
#include "platform/wallpaper/wallpaper_style.h"
#include "testsupport/temp_dir.h"
#include "testsupport/xvfb.h"
#include "wallpaper_fixtures.h"

#include <gtest/gtest.h>
#include <optional>

// Xlib's macros (None, Status) clash with GoogleTest's names, so Xlib comes last.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr unsigned long kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff, kWhite = 0xffffff,
                        kBlack = 0x000000;

int g_lastError = 0;
int RecordError(Display*, XErrorEvent* event) {
    g_lastError = event->error_code;
    return 0;
}

class RootPixmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!m_xvfb.Running())
            GTEST_SKIP() << "Xvfb is not available";
        for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION",
                                 "KDE_FULL_SESSION", "SWAYSOCK", "PAPERKIT_WALLPAPER_COMMAND"})
            m_env.Set(name, nullptr);
        m_display = XOpenDisplay(nullptr);
        ASSERT_NE(m_display, nullptr);
        m_root = DefaultRootWindow(m_display);
        test::WriteQuadrantPicture(m_dir / "quadrants.bmp", "BMP");
    }
    void TearDown() override {
        if (m_display)
            XCloseDisplay(m_display);
    }

    void SetStyle(const char* tile, const char* style) {
        const auto store = CreateSettingsStore();
        ASSERT_TRUE(store->WriteString(Hive::CurrentUser, kDesktopKey, "TileWallpaper", tile));
        ASSERT_TRUE(store->WriteString(Hive::CurrentUser, kDesktopKey, "WallpaperStyle", style));
    }

    unsigned long Pixel(int x, int y) {
        XImage* image = XGetImage(m_display, m_root, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
        XDestroyImage(image);
        return pixel;
    }

    std::optional<unsigned long> PixmapProperty(const char* name) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::optional<unsigned long> value;
        if (XGetWindowProperty(m_display, m_root, XInternAtom(m_display, name, False), 0, 1, False,
                               XA_PIXMAP, &type, &format, &count, &after, &data) == Success &&
            data && type == XA_PIXMAP && format == 32 && count == 1)
            value = *reinterpret_cast<unsigned long*>(data);
        if (data)
            XFree(data);
        return value;
    }

    // The current background pixmap, after checking that both properties name it.
    unsigned long Announced() {
        const auto rootPmap = PixmapProperty("_XROOTPMAP_ID");
        const auto esetroot = PixmapProperty("ESETROOT_PMAP_ID");
        EXPECT_TRUE(rootPmap && *rootPmap != 0);
        EXPECT_EQ(rootPmap, esetroot);
        return rootPmap.value_or(0);
    }

    bool PixmapExists(unsigned long pixmap) {
        XSync(m_display, False);
        g_lastError = 0;
        const auto previous = XSetErrorHandler(RecordError);
        Window root;
        int x, y;
        unsigned width, height, border, depth;
        const Status ok =
            XGetGeometry(m_display, pixmap, &root, &x, &y, &width, &height, &border, &depth);
        XSync(m_display, False);
        XSetErrorHandler(previous);
        return ok && g_lastError == 0;
    }

    test::Xvfb m_xvfb{"640x480x24"};
    TempDir m_dir;
    test::ScopedEnv m_env;
    Display* m_display = nullptr;
    Window m_root = 0;
};

TEST_F(RootPixmapTest, EachStyleShowsItsLayout) {
    struct Sample {
        int x, y;
        unsigned long rgb;
    };
    struct Case {
        const char* tile;
        const char* style;
        std::vector<Sample> samples;
    };
    // The 100x80 picture on a 640x480 screen.
    const Case cases[] = {
        {"0",
         "0", // centred at (270, 200), black around it
         {{280, 210, kRed},
          {360, 210, kGreen},
          {280, 270, kBlue},
          {360, 270, kWhite},
          {5, 5, kBlack},
          {635, 475, kBlack},
          {265, 240, kBlack}}},
        {"0",
         "2", // stretched over the screen
         {{5, 5, kRed},
          {635, 5, kGreen},
          {5, 475, kBlue},
          {635, 475, kWhite},
          {310, 230, kRed},
          {330, 250, kWhite}}},
        {"1",
         "0", // tiled from the top left corner
         {{5, 5, kRed},
          {55, 5, kGreen},
          {5, 45, kBlue},
          {55, 45, kWhite},
          {105, 5, kRed},
          {5, 85, kRed},
          {155, 125, kWhite},
          {635, 475, kBlue}}},
    };
    const auto setter = CreateWallpaperSetter();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tile) + "/" + c.style);
        SetStyle(c.tile, c.style);
        ASSERT_TRUE(setter->ChangeWallpaper(m_dir / "quadrants.bmp"));
        Announced();
        for (const Sample& s : c.samples)
            EXPECT_EQ(Pixel(s.x, s.y), s.rgb) << s.x << "," << s.y;
    }
}

TEST_F(RootPixmapTest, TheNextPictureFreesThePreviousPixmap) {
    test::WriteGif(m_dir / "red.GIF");
    test::WriteQuadrantPicture(m_dir / "photo.Jpg", "JPG");
    SetStyle("0", "2");
    ASSERT_EQ(ChangeWallpaper((m_dir / "quadrants.bmp").c_str()), 1);
    const unsigned long first = Announced();
    ASSERT_TRUE(PixmapExists(first));

    ASSERT_EQ(ChangeWallpaper((m_dir / "red.GIF").c_str()), 1);
    const unsigned long second = Announced();
    EXPECT_NE(second, first);
    EXPECT_FALSE(PixmapExists(first));
    EXPECT_TRUE(PixmapExists(second));
    EXPECT_EQ(Pixel(320, 240), kRed);

    ASSERT_EQ(ChangeWallpaper((m_dir / "photo.Jpg").c_str()), 1);
    EXPECT_FALSE(PixmapExists(second));
}

TEST_F(RootPixmapTest, ClearingLeavesASolidRoot) {
    SetStyle("0", "2");
    ASSERT_EQ(ChangeWallpaper((m_dir / "quadrants.bmp").c_str()), 1);
    const unsigned long shown = Announced();

    ASSERT_EQ(ClearWallpaper(), 1);
    EXPECT_FALSE(PixmapProperty("_XROOTPMAP_ID"));
    EXPECT_FALSE(PixmapProperty("ESETROOT_PMAP_ID"));
    EXPECT_FALSE(PixmapExists(shown));
    for (const auto& [x, y] : {std::pair{5, 5}, {635, 5}, {5, 475}, {635, 475}, {320, 240}})
        EXPECT_EQ(Pixel(x, y), kBlack) << x << "," << y;
}

TEST_F(RootPixmapTest, WhatIsNotAPictureLeavesTheRootAlone) {
    SetStyle("0", "2");
    ASSERT_EQ(ChangeWallpaper((m_dir / "quadrants.bmp").c_str()), 1);
    const unsigned long shown = Announced();
    test::WriteFile(m_dir / "fake.bmp", "BM but not really a bitmap");

    EXPECT_EQ(ChangeWallpaper((m_dir / "missing.jpg").c_str()), 0);
    EXPECT_EQ(ChangeWallpaper((m_dir / "fake.bmp").c_str()), 0);
    EXPECT_EQ(ChangeWallpaper(m_dir.path().c_str()), 0);
    EXPECT_EQ(ChangeWallpaper(""), 0);
    EXPECT_EQ(ChangeWallpaper(nullptr), 0);
    EXPECT_EQ(Announced(), shown);
    EXPECT_TRUE(PixmapExists(shown));
    EXPECT_EQ(Pixel(5, 5), kRed);
}

} // namespace
} // namespace paperkit
