#pragma once

#include "app/down_http_thread.h"
#include "catalog/main_setup_files.h"
#include "ui/mainwindow/main_window_services.h"

#include <functional>

namespace paperkit {

class Autostart;
class MediaCommands;
class SettingsStore;
class SlideshowLauncher;

/// What the settings, category presets and rotation list dialogs work on; all of it outlives
/// every main window that opens them.
struct DialogsSide {
    TMainSetupFiles& MainSetupFiles;
    CommandLines& CommandList;
    SettingsStore& Store;
    Autostart& AutoRun;
    MediaCommands& Media;
    SlideshowLauncher& Slideshow;
    /// Applies the current wallpaper again, after the style changed.
    std::function<void()> ReapplyWallpaper;
};

/// Fills the main window's dialog seams with the real dialogs, each shown modally and freed.
void AddDialogServices(TFmMainServices& services, DialogsSide side);

} // namespace paperkit
