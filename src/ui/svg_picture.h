#pragma once

#include <QPixmap>
#include <QString>

namespace paperkit {

/// The SVG picture at `path` (a file or a resource) drawn at `size` logical pixels for a screen
/// of this pixel ratio. A missing or broken picture draws a plain framed square instead, so a
/// window always has something to show.
QPixmap RenderPicture(const QString& path, QSize size, qreal pixelRatio = 1.0);

/// Makes the pictures compiled into the windows' libraries available; called before the first
/// window is made. Safe to call more than once.
void InitPictures();

} // namespace paperkit
