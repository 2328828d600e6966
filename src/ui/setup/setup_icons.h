#pragma once

#include <QIcon>

namespace paperkit {

/// The settings dialog's own pictures, drawn in code so that they stay sharp at any scale.
enum class SetupPicture { BasicPage, ChangePage, ShowPage, Play, Stop };

QIcon SetupIcon(SetupPicture picture);

} // namespace paperkit
