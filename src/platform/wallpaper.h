#pragma once

#include <filesystem>
#include <memory>

namespace paperkit {

/// Sets and clears the desktop wallpaper. The program's implementation calls the platform's
/// wallpaper library (`ChangeWallpaper` / `ClearWallpaper`); tests hand in fakes.
class WallpaperSetter {
public:
    virtual ~WallpaperSetter() = default;

    /// Makes the picture at this full path the desktop wallpaper, in the user's stored style.
    /// False when the picture or the desktop refused; the desktop is then left as it was.
    virtual bool ChangeWallpaper(const std::filesystem::path& picture) = 0;
    /// Leaves the desktop without a wallpaper picture.
    virtual bool ClearWallpaper() = 0;
};

/// The setter that calls the platform's wallpaper library.
std::unique_ptr<WallpaperSetter> CreateWallpaperSetter();

} // namespace paperkit
