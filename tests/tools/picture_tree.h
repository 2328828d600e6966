#pragma once

#include <filesystem>
#include <string>

namespace paperkit::test {

/// Writes a plain picture of one colour (JPEG or PNG by the file's extension).
void WritePicture(const std::filesystem::path& file, int width, int height,
                  unsigned colour = 0x336699);

/// A small picture tree for the publishing tests:
///   nature/ (info.txt "自然 Nature")
///     hills/  info.txt, a.jpg, b.jpg, "山 水.png" (with alpha) and "山 水.txt"
///     sea/    c.jpg, d.png
///   city/
///     night/  e.jpg
void WritePictureTree(const std::filesystem::path& root);

} // namespace paperkit::test
