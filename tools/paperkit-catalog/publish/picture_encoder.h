#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace paperkit {

struct PixelSize {
    int Width = 0;
    int Height = 0;
};

/// JPEG quality of every picture the catalog publishes.
inline constexpr int PublishJpegQuality = 85;

/// Decodes a JPEG or PNG picture once and encodes it as JPEG in each of the sizes, in their
/// order: scaled smoothly until it covers the size, then cropped to the size around its centre.
/// Returns an empty list, with the reason in `error`, when the picture cannot be read.
std::vector<std::string> EncodeJpegSizes(const std::filesystem::path& source,
                                         const std::vector<PixelSize>& sizes, std::string& error);

/// The width and height of a picture file; {0, 0} when it cannot be read.
PixelSize PictureSize(const std::filesystem::path& file);

} // namespace paperkit
