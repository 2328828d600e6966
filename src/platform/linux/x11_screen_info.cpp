#include "platform/screen.h"

#include <X11/Xlib.h>
#include <charconv>
#include <cstdlib>
#include <dlfcn.h>
#include <optional>
#include <string_view>

namespace paperkit {

namespace {

constexpr ScreenSize kFallback{1920, 1080};

std::optional<ScreenSize> ParseOverride(const char* text) {
    if (!text)
        return std::nullopt;
    const std::string_view s(text);
    const auto x = s.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    ScreenSize size;
    const auto w = std::from_chars(s.data(), s.data() + x, size.Width);
    const auto h = std::from_chars(s.data() + x + 1, s.data() + s.size(), size.Height);
    if (w.ec != std::errc() || w.ptr != s.data() + x || h.ec != std::errc() ||
        h.ptr != s.data() + s.size() || size.Width <= 0 || size.Height <= 0)
        return std::nullopt;
    return size;
}

// The monitor record of RandR 1.5, declared here because only the runtime library is needed.
struct MonitorInfo {
    Atom name;
    Bool primary;
    Bool automatic;
    int noutput;
    int x;
    int y;
    int width;
    int height;
    int mwidth;
    int mheight;
    XID* outputs;
};

// RandR is loaded at run time (only its runtime library is installed) and stays loaded: it hooks
// itself into the display's close, which runs after our query.
template <typename Fn> Fn RandrFunction(const char* symbol) {
    static void* const handle = ::dlopen("libXrandr.so.2", RTLD_NOW | RTLD_LOCAL);
    return handle ? reinterpret_cast<Fn>(::dlsym(handle, symbol)) : nullptr;
}

struct Sizes {
    ScreenSize primary;
    ScreenSize desktop;
};

std::optional<Sizes> QueryX() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return std::nullopt;
    Display* dpy = XOpenDisplay(display);
    if (!dpy)
        return std::nullopt;
    const Window root = DefaultRootWindow(dpy);
    XWindowAttributes attrs{};
    std::optional<Sizes> sizes;
    if (XGetWindowAttributes(dpy, root, &attrs) && attrs.width > 0 && attrs.height > 0) {
        sizes = Sizes{{attrs.width, attrs.height}, {attrs.width, attrs.height}};
        const auto getMonitors =
            RandrFunction<MonitorInfo* (*)(Display*, Window, Bool, int*)>("XRRGetMonitors");
        const auto freeMonitors = RandrFunction<void (*)(MonitorInfo*)>("XRRFreeMonitors");
        int count = 0;
        MonitorInfo* monitors =
            getMonitors && freeMonitors ? getMonitors(dpy, root, True, &count) : nullptr;
        if (monitors) {
            // Without a monitor marked primary, the first one stands in for it.
            const MonitorInfo* primary = count > 0 ? &monitors[0] : nullptr;
            for (int i = 0; i < count; ++i)
                if (monitors[i].primary)
                    primary = &monitors[i];
            if (primary && primary->width > 0 && primary->height > 0)
                sizes->primary = {primary->width, primary->height};
            freeMonitors(monitors);
        }
    }
    XCloseDisplay(dpy);
    return sizes;
}

class X11ScreenInfo : public ScreenInfo {
public:
    ScreenSize PrimarySize() const override { return Query().primary; }
    ScreenSize DesktopSize() const override { return Query().desktop; }

private:
    static Sizes Query() {
        if (const auto size = ParseOverride(std::getenv("PAPERKIT_SCREEN")))
            return {*size, *size};
        return QueryX().value_or(Sizes{kFallback, kFallback});
    }
};

} // namespace

std::unique_ptr<ScreenInfo> CreateScreenInfo() {
    return std::make_unique<X11ScreenInfo>();
}

} // namespace paperkit
