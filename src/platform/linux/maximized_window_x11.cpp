#include "platform/maximized_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace paperkit {

namespace {

/// Reads a 32-bit property as a list of longs (Xlib's format-32 representation).
std::vector<unsigned long> ReadLongs(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, 65536, False, type, &actualType,
                           &actualFormat, &count, &after, &data) == Success &&
        data && actualFormat == 32) {
        // Xlib hands 32-bit items over as longs, sign-extended on 64-bit systems.
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            values.push_back(longs[i] & 0xFFFFFFFFul);
    }
    if (data)
        XFree(data);
    return values;
}

bool Contains(const std::vector<unsigned long>& values, Atom atom) {
    for (unsigned long v : values)
        if (v == atom)
            return true;
    return false;
}

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

class X11Probe final : public MaximizedWindowProbe {
public:
    bool IsMaximizedWindowShowing() override {
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return false;
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        // A window may vanish between listing and reading it; that is not an error here.
        auto* previous = XSetErrorHandler(IgnoreErrors);
        const bool found = Scan(display);
        XSync(display, False);
        XSetErrorHandler(previous);
        XCloseDisplay(display);
        return found;
    }

private:
    static bool Scan(Display* display) {
        const Window root = DefaultRootWindow(display);
        auto atom = [&](const char* n) { return XInternAtom(display, n, False); };
        const Atom state = atom("_NET_WM_STATE");
        const Atom maxVert = atom("_NET_WM_STATE_MAXIMIZED_VERT");
        const Atom maxHorz = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
        const Atom fullscreen = atom("_NET_WM_STATE_FULLSCREEN");
        const Atom hidden = atom("_NET_WM_STATE_HIDDEN");
        const Atom type = atom("_NET_WM_WINDOW_TYPE");
        const Atom typeDesktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        const Atom typeDock = atom("_NET_WM_WINDOW_TYPE_DOCK");
        const Atom wmPid = atom("_NET_WM_PID");
        const Atom wmDesktop = atom("_NET_WM_DESKTOP");

        const auto current = ReadLongs(display, root, atom("_NET_CURRENT_DESKTOP"), XA_CARDINAL);
        const auto clients = ReadLongs(display, root, atom("_NET_CLIENT_LIST"), XA_WINDOW);
        const unsigned long ownPid = static_cast<unsigned long>(getpid());
        for (unsigned long client : clients) {
            const Window w = static_cast<Window>(client);
            const auto pid = ReadLongs(display, w, wmPid, XA_CARDINAL);
            if (!pid.empty() && pid[0] == ownPid)
                continue;
            const auto types = ReadLongs(display, w, type, XA_ATOM);
            if (Contains(types, typeDesktop) || Contains(types, typeDock))
                continue;
            const auto desktop = ReadLongs(display, w, wmDesktop, XA_CARDINAL);
            if (!current.empty() && !desktop.empty() && desktop[0] != 0xFFFFFFFFul &&
                desktop[0] != current[0])
                continue;
            const auto states = ReadLongs(display, w, state, XA_ATOM);
            if (Contains(states, hidden))
                continue;
            if (Contains(states, fullscreen) ||
                (Contains(states, maxVert) && Contains(states, maxHorz)))
                return true;
        }
        return false;
    }
};

} // namespace

std::unique_ptr<MaximizedWindowProbe> CreateMaximizedWindowProbe() {
    return std::make_unique<X11Probe>();
}

} // namespace paperkit
