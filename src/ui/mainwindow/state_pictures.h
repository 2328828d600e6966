#pragma once

#include <QPixmap>

namespace paperkit {

/// Size of a state picture in device-independent pixels: two halves of 12, the download arrow on
/// the left and the rotation monitor on the right.
inline constexpr int kStatePictureWidth = 24;
inline constexpr int kStatePictureHeight = 18;

/// The state picture of an index (see StateIndex), drawn for the device pixel ratio; each half in
/// colour when its flag is on and grey when off.
QPixmap StatePicture(int index, qreal devicePixelRatio);

} // namespace paperkit
