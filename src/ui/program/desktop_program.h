#pragma once

#include <functional>
#include <memory>

namespace paperkit {

class SingleInstance;
struct CommandLine;

/// True when a window system is there to show windows on: a display named by DISPLAY or
/// WAYLAND_DISPLAY, or a Qt platform chosen with QT_QPA_PLATFORM.
bool DesktopAvailable();

/// The running instance with its windows: the navigator panel on the desktop, its backdrop, the
/// tray icon and the hotkeys, around the same coordinator as the program without windows. When
/// another instance is already running, `handOver` is called instead and its result returned.
int RunDesktop(std::unique_ptr<SingleInstance>& instance, const CommandLine& options,
               const std::function<int()>& handOver);

} // namespace paperkit
