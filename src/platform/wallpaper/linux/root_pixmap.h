#pragma once

#include "platform/wallpaper/wallpaper_style.h"

#include <QImage>
#include <QSize>
#include <string>

namespace paperkit {

/// The screen-sized picture: centred on black, stretched to the screen, or tiled from the top
/// left corner.
QImage ComposeWallpaper(const QImage& picture, WallpaperStyle style, QSize screen);

/// Draws the picture into a pixmap of the root window of $DISPLAY and makes it the background,
/// announced through _XROOTPMAP_ID and ESETROOT_PMAP_ID. Uses a connection of its own whose
/// resources are kept after it closes; the previous setter's pixmap is freed.
bool SetRootPixmap(const QImage& picture, WallpaperStyle style, std::string& reason);

/// Gives the root window a solid black background and frees the previous pixmap.
bool ClearRootPixmap(std::string& reason);

} // namespace paperkit
