#include "platform/maximized_window.h"
#include "testsupport/xvfb.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

// Xlib's macros (None, Bool) clash with GoogleTest's names, so Xlib comes last.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on

using paperkit::CreateMaximizedWindowProbe;

namespace {

/// Plays the window manager's part: publishes a client list and each client's state and desktop.
class FakeWindowManager {
public:
    FakeWindowManager() : m_display(XOpenDisplay(nullptr)) {}
    ~FakeWindowManager() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool Ok() const { return m_display != nullptr; }

    Window AddClient(const std::vector<const char*>& states, long desktop = 0,
                     const char* type = "_NET_WM_WINDOW_TYPE_NORMAL") {
        const Window root = DefaultRootWindow(m_display);
        const Window w = XCreateSimpleWindow(m_display, root, 0, 0, 10, 10, 0, 0, 0);
        std::vector<Atom> atoms;
        for (const char* s : states)
            atoms.push_back(Intern(s));
        SetAtoms(w, "_NET_WM_STATE", atoms);
        SetAtoms(w, "_NET_WM_WINDOW_TYPE", {Intern(type)});
        SetCardinal(w, "_NET_WM_DESKTOP", desktop);
        m_clients.push_back(w);
        XChangeProperty(m_display, root, Intern("_NET_CLIENT_LIST"), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(m_clients.data()),
                        static_cast<int>(m_clients.size()));
        XSync(m_display, False);
        return w;
    }
    void SetCurrentDesktop(long desktop) {
        SetCardinal(DefaultRootWindow(m_display), "_NET_CURRENT_DESKTOP", desktop);
        XSync(m_display, False);
    }

private:
    Atom Intern(const char* name) { return XInternAtom(m_display, name, False); }
    void SetAtoms(Window w, const char* property, const std::vector<Atom>& atoms) {
        XChangeProperty(m_display, w, Intern(property), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.data()),
                        static_cast<int>(atoms.size()));
    }
    void SetCardinal(Window w, const char* property, long value) {
        XChangeProperty(m_display, w, Intern(property), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
    }

    Display* m_display;
    std::vector<Window> m_clients;
};

} // namespace

TEST(MaximizedWindowProbe, WithoutADisplayNothingIsMaximized) {
    unsetenv("DISPLAY");
    EXPECT_FALSE(CreateMaximizedWindowProbe()->IsMaximizedWindowShowing());
}

TEST(MaximizedWindowProbe, ReadsTheWindowManagersHints) {
    paperkit::test::Xvfb xvfb;
    if (!xvfb.Running())
        GTEST_SKIP() << "Xvfb is not available";
    FakeWindowManager wm;
    ASSERT_TRUE(wm.Ok());
    wm.SetCurrentDesktop(0);
    auto probe = CreateMaximizedWindowProbe();
    EXPECT_FALSE(probe->IsMaximizedWindowShowing());

    wm.AddClient({"_NET_WM_STATE_MAXIMIZED_VERT"}); // only one direction
    wm.AddClient({"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"}, 1); // elsewhere
    wm.AddClient({"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ",
                  "_NET_WM_STATE_HIDDEN"}); // minimized
    wm.AddClient({"_NET_WM_STATE_FULLSCREEN"}, 0, "_NET_WM_WINDOW_TYPE_DOCK");
    EXPECT_FALSE(probe->IsMaximizedWindowShowing());

    wm.AddClient({"_NET_WM_STATE_FULLSCREEN"}, 0xFFFFFFFF); // on every desktop
    EXPECT_TRUE(probe->IsMaximizedWindowShowing());
}
