#pragma once

#include <QImage>
#include <filesystem>

namespace paperkit {

/// The album cover from its file; a null image when the file is missing, is no picture or is a
/// JPEG picture cut short.
QImage LoadCoverPicture(const std::filesystem::path& file);

/// The white picture shown where there is no cover.
QImage BlankCover();

} // namespace paperkit
