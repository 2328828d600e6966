#include "platform/desktop_placement.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace paperkit {

namespace {

constexpr long kNetWmStateAdd = 1;
constexpr unsigned long kAllDesktops = 0xFFFFFFFFul;

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

class X11Placement final : public DesktopPlacement {
public:
    explicit X11Placement(Display* display) : m_display(display) {}
    ~X11Placement() override { XCloseDisplay(m_display); }

    void KeepOnDesktop(NativeWindow native, const std::string& className) override {
        const auto window = static_cast<Window>(native);
        // The window may be gone already; nothing here is worth an error.
        auto* previous = XSetErrorHandler(IgnoreErrors);
        std::string name = className;
        XClassHint hint{name.data(), name.data()};
        XSetClassHint(m_display, window, &hint);

        const char* names[] = {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY",
                               "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
        const Atom netWmState = Intern("_NET_WM_STATE");
        const Atom netWmDesktop = Intern("_NET_WM_DESKTOP");
        // Before the window is mapped the window manager reads the properties; once it manages
        // the window it listens only to requests sent to the root.
        std::vector<Atom> states = ReadAtoms(window, netWmState);
        for (const char* n : names) {
            const Atom state = Intern(n);
            bool present = false;
            for (Atom a : states)
                present = present || a == state;
            if (!present)
                states.push_back(state);
            Request(window, netWmState, kNetWmStateAdd, static_cast<long>(state));
        }
        XChangeProperty(m_display, window, netWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states.data()),
                        static_cast<int>(states.size()));
        const unsigned long all = kAllDesktops;
        XChangeProperty(m_display, window, netWmDesktop, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&all), 1);
        Request(window, netWmDesktop, static_cast<long>(kAllDesktops), 0);
        XSync(m_display, False);
        XSetErrorHandler(previous);
    }

private:
    Atom Intern(const char* name) { return XInternAtom(m_display, name, False); }

    std::vector<Atom> ReadAtoms(Window window, Atom property) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<Atom> atoms;
        if (XGetWindowProperty(m_display, window, property, 0, 1024, False, XA_ATOM, &type, &format,
                               &count, &after, &data) == Success &&
            data && format == 32) {
            const auto* values = reinterpret_cast<const Atom*>(data);
            atoms.assign(values, values + count);
        }
        if (data)
            XFree(data);
        return atoms;
    }

    void Request(Window window, Atom message, long first, long second) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = message;
        event.xclient.format = 32;
        event.xclient.data.l[0] = first;
        event.xclient.data.l[1] = second;
        event.xclient.data.l[3] = 1; // from an application
        XSendEvent(m_display, DefaultRootWindow(m_display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }

    Display* m_display;
};

class NoPlacement final : public DesktopPlacement {
public:
    void KeepOnDesktop(NativeWindow, const std::string&) override {}
};

} // namespace

std::unique_ptr<DesktopPlacement> CreateDesktopPlacement() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return std::make_unique<NoPlacement>();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::make_unique<NoPlacement>();
    return std::make_unique<X11Placement>(display);
}

} // namespace paperkit
