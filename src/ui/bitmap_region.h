#pragma once

#include <QImage>
#include <QRegion>

namespace paperkit {

/// The part of the picture that is not the key colour, as a window shape: every pixel whose
/// colour differs from the key, compared exactly.
QRegion BitmapToRegion(const QImage& picture, QRgb key);

/// BitmapToRegion keyed on the picture's own top-left pixel; empty for an empty picture.
QRegion ShapeOf(const QImage& picture);

} // namespace paperkit
