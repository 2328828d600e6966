#pragma once

#include "platform/wallpaper.h"

namespace paperkit {

class ProgressPrinter;

/// Passes wallpapers on to the desktop and tells the user which one is showing.
class AnnouncingSetter final : public WallpaperSetter {
public:
    /// Both must outlive the setter.
    AnnouncingSetter(WallpaperSetter& desktop, ProgressPrinter& progress)
        : m_desktop(desktop), m_progress(progress) {}

    bool ChangeWallpaper(const std::filesystem::path& picture) override;
    bool ClearWallpaper() override;

private:
    WallpaperSetter& m_desktop;
    ProgressPrinter& m_progress;
};

} // namespace paperkit
