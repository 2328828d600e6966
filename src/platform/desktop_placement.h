#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace paperkit {

/// A native top-level window: the X11 window id or the Windows HWND.
using NativeWindow = std::uintptr_t;

/// Puts the program's small panel windows on the desktop itself.
class DesktopPlacement {
public:
    virtual ~DesktopPlacement() = default;

    /// Keeps the window below every application window, on every workspace, with no taskbar or
    /// pager entry, and names its window class (`className`) so that tools can find it. Called
    /// once the window exists, before or after it is shown.
    virtual void KeepOnDesktop(NativeWindow window, const std::string& className) = 0;
};

/// The platform's placement. On X11 it asks the window manager through EWMH hints; without a
/// display it does nothing.
std::unique_ptr<DesktopPlacement> CreateDesktopPlacement();

} // namespace paperkit
