#pragma once

#include <chrono>

namespace paperkit {

struct TWallParas;

/// The wallpaper change timer's interval from the settings' `Change`, `Hour`, `Minute` and
/// `Second`, each first brought into the range the settings dialog offers (0 to 24, 0 to 59, 0 to
/// 59), so that a damaged setup document can neither overflow the interval nor wrap it round to a
/// tiny one. Zero means no ticks: the change is off or the interval is 0.
std::chrono::milliseconds ChangeInterval(const TWallParas& paras);

} // namespace paperkit
