#pragma once

#include <memory>

namespace paperkit {

/// A size in pixels.
struct ScreenSize {
    int Width = 0;
    int Height = 0;
};

/// The sizes the catalog chooses picture sizes for.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;

    /// The primary monitor's size.
    virtual ScreenSize PrimarySize() const = 0;
    /// The size of the area covering all monitors.
    virtual ScreenSize DesktopSize() const = 0;
};

/// The platform's screen query. The environment variable PAPERKIT_SCREEN=WIDTHxHEIGHT stands in
/// for both sizes; without a display the sizes are 1920x1080.
std::unique_ptr<ScreenInfo> CreateScreenInfo();

} // namespace paperkit
