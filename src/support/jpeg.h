#pragma once

#include <filesystem>

namespace paperkit {

/// True when the file starts with the JPEG signature (0xFF 0xD8).
bool IsJpegFile(const std::filesystem::path& file);

/// Replaces the file by the placeholder picture shown for a download that is no JPEG picture:
/// 160 by 120, white, "图片格式错误" in red. False when it cannot be written.
bool WriteBadPicture(const std::filesystem::path& file);

} // namespace paperkit
