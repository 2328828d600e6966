#include "platform/global_hotkeys.h"
#include "testsupport/xvfb.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Xlib's macros (None, Bool, ...) must come after GoogleTest.
// clang-format off
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on

namespace paperkit {
namespace {

struct Presses {
    void Add(int id) {
        std::lock_guard lock(mutex);
        ids.push_back(id);
    }
    /// Waits up to five seconds for this many presses.
    std::vector<int> WaitFor(size_t count) {
        for (int i = 0; i < 500; ++i) {
            {
                std::lock_guard lock(mutex);
                if (ids.size() >= count)
                    return ids;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::lock_guard lock(mutex);
        return ids;
    }
    std::mutex mutex;
    std::vector<int> ids;
};

bool Press(const std::string& keys) {
    return std::system(("xdotool key " + keys + " >/dev/null 2>&1").c_str()) == 0;
}

/// Grabs Ctrl+Alt+letter over a connection of its own, as another program would.
bool GrabFromOutside(Display* other, KeySym sym) {
    const KeyCode code = XKeysymToKeycode(other, sym);
    XGrabKey(other, code, ControlMask | Mod1Mask, DefaultRootWindow(other), False, GrabModeAsync,
             GrabModeAsync);
    XSync(other, False);
    return code != 0;
}

TEST(GlobalHotkeys, KeysArriveWithAndWithoutNumLockAndHeldKeysAreLeftOut) {
    test::Xvfb xvfb;
    if (!xvfb.Running())
        GTEST_SKIP() << "Xvfb is not available";
    if (std::system("command -v xdotool >/dev/null") != 0)
        GTEST_SKIP() << "xdotool is not available";

    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(GrabFromOutside(other, XK_c));

    Presses presses;
    {
        auto hotkeys = CreateGlobalHotkeys([&](int id) { presses.Add(id); });
        EXPECT_TRUE(hotkeys->Register(0, 'P'));
        EXPECT_TRUE(hotkeys->Register(1, 'N'));
        EXPECT_FALSE(hotkeys->Register(2, 'C')); // held by the other program: quietly left out
        EXPECT_FALSE(hotkeys->Register(1, 'X')); // an id is taken once

        ASSERT_TRUE(Press("ctrl+alt+n"));
        ASSERT_TRUE(Press("Num_Lock ctrl+alt+n Num_Lock"));
        ASSERT_TRUE(Press("ctrl+alt+p"));
        ASSERT_TRUE(Press("ctrl+alt+shift+n")); // another combination is not ours
        EXPECT_EQ(presses.WaitFor(3), (std::vector<int>{1, 1, 0}));

        hotkeys->Unregister(1);
        hotkeys->Unregister(7); // unknown: nothing happens
    }
    // Given back: the other program can now take both keys, and they no longer reach us.
    static std::atomic<bool> refused{false};
    auto* previous = XSetErrorHandler([](Display*, XErrorEvent* error) {
        refused = refused || error->error_code == BadAccess;
        return 0;
    });
    GrabFromOutside(other, XK_n);
    GrabFromOutside(other, XK_p);
    XSetErrorHandler(previous);
    EXPECT_FALSE(refused);
    Press("ctrl+alt+n");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::lock_guard lock(presses.mutex);
    EXPECT_EQ(presses.ids.size(), 3u);
    XCloseDisplay(other);
}

TEST(GlobalHotkeys, NothingIsTakenForWindowsDrawnNativelyOnWayland) {
    test::Xvfb xvfb;
    if (!xvfb.Running())
        GTEST_SKIP() << "Xvfb is not available";
    const char* before = std::getenv("QT_QPA_PLATFORM");
    const std::string saved = before ? before : "";
    for (const char* platform : {"wayland", "wayland-egl"}) {
        setenv("QT_QPA_PLATFORM", platform, 1);
        auto hotkeys = CreateGlobalHotkeys([](int) {});
        EXPECT_FALSE(hotkeys->Register(0, 'N')) << platform;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    EXPECT_TRUE(CreateGlobalHotkeys([](int) {})->Register(0, 'N'));
    if (before)
        setenv("QT_QPA_PLATFORM", saved.c_str(), 1);
    else
        unsetenv("QT_QPA_PLATFORM");
}

} // namespace
} // namespace paperkit
