#pragma once

#include <string_view>

namespace paperkit {

/// The desktops whose wallpaper the library knows how to set.
enum class Desktop {
    Gnome,    ///< GNOME, Unity, Budgie: gsettings org.gnome.desktop.background
    Cinnamon, ///< gsettings org.cinnamon.desktop.background
    Mate,     ///< gsettings org.mate.background
    Kde,      ///< Plasma over D-Bus
    Xfce,     ///< xfconf-query
    Lxqt,     ///< pcmanfm-qt
    Lxde,     ///< pcmanfm
    Sway,     ///< swaymsg
    X11,      ///< a plain window manager: the root window's pixmap
    Unknown,  ///< nothing the library can drive
};

/// The running desktop, from XDG_CURRENT_DESKTOP, then XDG_SESSION_DESKTOP and DESKTOP_SESSION,
/// then KDE_FULL_SESSION, SWAYSOCK and DISPLAY. DISPLAY means X11 only outside a Wayland session.
Desktop DetectDesktop();

/// True in a Wayland session (WAYLAND_DISPLAY is set).
bool IsWaylandSession();

/// The desktop's name for the log.
std::string_view DesktopName(Desktop desktop);

} // namespace paperkit
