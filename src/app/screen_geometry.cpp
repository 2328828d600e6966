#include "app/screen_geometry.h"

#include "platform/screen.h"

namespace paperkit {

ScreenGeometry PlatformScreenGeometry() {
    const auto screen = CreateScreenInfo();
    const ScreenSize primary = screen->PrimarySize();
    const ScreenSize desktop = screen->DesktopSize();
    return {primary.Width, primary.Height, desktop.Width, desktop.Height};
}

} // namespace paperkit
