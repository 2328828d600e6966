#pragma once

#include <memory>

namespace paperkit {

/// Tells whether a visible window fills the screen, so that a wallpaper change nobody would see
/// can be skipped.
class MaximizedWindowProbe {
public:
    virtual ~MaximizedWindowProbe() = default;

    /// True when a window of another program on the current desktop is maximized or full screen
    /// and not minimized. Without a display, always false.
    virtual bool IsMaximizedWindowShowing() = 0;
};

/// The platform's probe. On Linux it reads the window manager's hints over X11.
std::unique_ptr<MaximizedWindowProbe> CreateMaximizedWindowProbe();

} // namespace paperkit
