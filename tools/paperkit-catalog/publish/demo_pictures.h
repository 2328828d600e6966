#pragma once

#include <filesystem>
#include <string>

namespace paperkit {

struct DemoPictureOptions {
    /// Size of every generated source picture.
    int Width = 1920;
    int Height = 1200;
    /// Worker threads; 0 picks one per processor.
    int Jobs = 0;
};

/// What GenerateDemoPictures made.
struct DemoPictureSummary {
    int Categories = 0;
    int Albums = 0;
    int Pictures = 0;
};

/// Draws the demo picture set into `folder`, laid out as `paperkit-catalog build` reads it: one
/// folder per category, one per album, each with an "info.txt" giving its title and remark in
/// Chinese and English, and procedurally drawn JPEG pictures. The same options always give the
/// same pictures. False, with the reason in `error`, when a file cannot be written.
bool GenerateDemoPictures(const std::filesystem::path& folder, const DemoPictureOptions& options,
                          DemoPictureSummary& summary, std::string& error);

} // namespace paperkit
