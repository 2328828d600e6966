#include "platform/wallpaper/wallpaper_style.h"

#include "platform/settings_store.h"

namespace paperkit {

WallpaperStyle WallpaperStyleFromValues(const std::optional<std::string>& tileWallpaper,
                                        const std::optional<std::string>& wallpaperStyle) {
    const std::string tile = tileWallpaper.value_or("");
    const std::string style = wallpaperStyle.value_or("");
    if (tile == "0" && style == "2")
        return WallpaperStyle::Stretch;
    if (tile == "1" && style == "0")
        return WallpaperStyle::Tile;
    return WallpaperStyle::Centre;
}

WallpaperStyle ReadWallpaperStyle(const SettingsStore& store) {
    return WallpaperStyleFromValues(
        store.ReadString(Hive::CurrentUser, kDesktopKey, "TileWallpaper"),
        store.ReadString(Hive::CurrentUser, kDesktopKey, "WallpaperStyle"));
}

} // namespace paperkit
