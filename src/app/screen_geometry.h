#pragma once

#include "catalog/size_table.h"

namespace paperkit {

/// The sizes the catalog chooses picture sizes for, asked of the platform's screen at the moment
/// of the call: the primary monitor and the whole desktop. PAPERKIT_SCREEN and a machine without
/// a display give what the platform's query gives for them.
ScreenGeometry PlatformScreenGeometry();

} // namespace paperkit
