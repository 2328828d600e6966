#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace paperkit {

class SettingsStore;

/// How the picture is laid out on the screen.
enum class WallpaperStyle { Centre, Stretch, Tile };

/// The key of the current user's store that holds "TileWallpaper" and "WallpaperStyle".
inline constexpr std::string_view kDesktopKey = "Control Panel\\Desktop";

/// The style of a stored "TileWallpaper"/"WallpaperStyle" pair: "0"/"2" stretch, "1"/"0" tile,
/// every other pair (or a missing value) centre.
WallpaperStyle WallpaperStyleFromValues(const std::optional<std::string>& tileWallpaper,
                                        const std::optional<std::string>& wallpaperStyle);

/// The style the user stored; centre when nothing readable is stored.
WallpaperStyle ReadWallpaperStyle(const SettingsStore& store);

} // namespace paperkit
