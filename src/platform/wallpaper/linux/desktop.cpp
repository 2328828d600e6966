#include "platform/wallpaper/linux/desktop.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace paperkit {
namespace {

std::string Lower(const char* text) {
    std::string lower = text ? text : "";
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Values are lists such as "ubuntu:GNOME" or "X-Cinnamon", so parts of names are matched. The
// desktops built on GNOME come before it, as some of them name GNOME as well.
std::optional<Desktop> FromName(const std::string& name) {
    struct Match {
        const char* part;
        Desktop desktop;
    };
    static constexpr Match kMatches[] = {
        {"cinnamon", Desktop::Cinnamon}, {"mate", Desktop::Mate},   {"kde", Desktop::Kde},
        {"plasma", Desktop::Kde},        {"xfce", Desktop::Xfce},   {"lxqt", Desktop::Lxqt},
        {"lxde", Desktop::Lxde},         {"sway", Desktop::Sway},   {"wlroots", Desktop::Sway},
        {"gnome", Desktop::Gnome},       {"unity", Desktop::Gnome}, {"budgie", Desktop::Gnome},
        {"ubuntu", Desktop::Gnome},
    };
    if (name.empty())
        return std::nullopt;
    for (const Match& match : kMatches)
        if (name.find(match.part) != std::string::npos)
            return match.desktop;
    return std::nullopt;
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

Desktop DetectDesktop() {
    for (const char* variable : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"})
        if (const auto desktop = FromName(Lower(std::getenv(variable))))
            return *desktop;
    if (Lower(std::getenv("KDE_FULL_SESSION")) == "true")
        return Desktop::Kde;
    if (IsSet("SWAYSOCK"))
        return Desktop::Sway;
    // Under Wayland, DISPLAY leads to the compatibility server, whose root window nothing shows.
    if (IsSet("DISPLAY") && !IsWaylandSession())
        return Desktop::X11;
    return Desktop::Unknown;
}

bool IsWaylandSession() {
    return IsSet("WAYLAND_DISPLAY");
}

std::string_view DesktopName(Desktop desktop) {
    switch (desktop) {
    case Desktop::Gnome:
        return "GNOME";
    case Desktop::Cinnamon:
        return "Cinnamon";
    case Desktop::Mate:
        return "MATE";
    case Desktop::Kde:
        return "KDE Plasma";
    case Desktop::Xfce:
        return "XFCE";
    case Desktop::Lxqt:
        return "LXQt";
    case Desktop::Lxde:
        return "LXDE";
    case Desktop::Sway:
        return "sway";
    case Desktop::X11:
        return "X11 root window";
    case Desktop::Unknown:
        break;
    }
    return "unknown desktop";
}

} // namespace paperkit
