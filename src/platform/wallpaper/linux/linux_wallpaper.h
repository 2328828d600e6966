#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace paperkit {

class SettingsStore;

/// Settings of the Linux wallpaper library that callers other than the exported functions (tests)
/// may change.
struct LinuxWallpaperOptions {
    std::filesystem::path cacheFolder; ///< empty: $XDG_DATA_HOME/PaperKit/wallpaper-cache
    std::chrono::milliseconds commandLimit{10000}; ///< time limit of each desktop tool run
};

/// The wallpaper library on Linux: checks the picture, reads the style, and hands the picture to
/// the user's command template or to the running desktop. Every failure is logged with its reason.
class LinuxWallpaper {
public:
    LinuxWallpaper(const SettingsStore& store, LinuxWallpaperOptions options = {});

    /// Shows the picture; false, with the desktop left as it was, when the picture is refused.
    bool Change(const std::filesystem::path& picture);
    /// Leaves the desktop without a picture.
    bool Clear();

private:
    std::optional<std::string> CommandTemplate() const;

    const SettingsStore& m_store;
    LinuxWallpaperOptions m_options;
};

} // namespace paperkit
