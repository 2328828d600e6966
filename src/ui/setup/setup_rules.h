#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The settings dialog's rules that need no widget.
namespace paperkit {

/// The items of the wallpaper style group.
enum SetupStyleItem { StyleCentre = 0, StyleStretch = 1, StyleTile = 2 };

/// The item that a stored "TileWallpaper"/"WallpaperStyle" pair selects: exactly "0"/"2"
/// stretches, exactly "1"/"0" tiles, any other pair (or a missing value) centres.
SetupStyleItem StyleItemFromValues(const std::optional<std::string>& tileWallpaper,
                                   const std::optional<std::string>& wallpaperStyle);

/// The "TileWallpaper" and "WallpaperStyle" texts an item is stored as; an index that is no item
/// stores those of "居中".
std::pair<std::string, std::string> StyleValues(int item);

/// A spin edit's text as its value: a whole number brought into the bounds, or the lower bound
/// for text that is not a number.
int SpinValueFromText(std::string_view text, int lowest, int highest);

/// The folder text with the platform's separator at its end ("/" on Linux), as it is stored.
std::string WithTrailingSeparator(std::string folder);

/// What "DownloadDir" becomes when the dialog is confirmed with this folder text: the folder
/// with its trailing separator when it differs from the current download folder, or empty (no
/// move pending) when it is the same. A blank text keeps the current folder: it would otherwise
/// turn into the file system's root.
std::string PendingDownloadDir(const std::string& edited, const std::string& current);

/// The text the download folder edit shows first: the pending folder when one is pending (its
/// text trimmed), otherwise the current one.
std::string ShownDownloadPath(const std::string& current, const std::string& pending);

/// The media command that opens a file under the slideshow's music alias.
std::string OpenMusicCommand(const std::string& file);

} // namespace paperkit
