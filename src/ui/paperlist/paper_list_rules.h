#pragma once

#include "catalog/main_setup_files.h"

#include <filesystem>
#include <string>
#include <vector>

// The rotation list dialog's rules that need no widget.
namespace paperkit {

/// An entry's caption: its name behind the prefix of its type.
std::string PaperCaption(const TWallPaper& paper);

/// The pictures the slideshow shows for an entry: an album's pictures that are downloaded and on
/// disk, in order; a folder's ".JPG", ".BMP" and ".GIF" files (any letter case), with its
/// subfolders' when `HasSub` is 'Y'. An album no longer listed, or a folder that is gone, gives
/// none.
std::vector<std::filesystem::path> PreviewPictures(const TMainSetupFiles& catalog,
                                                   const TWallPaper& paper);

/// Marks each album `InWallList` by whether the rotation list holds it.
void MarkAlbumsInWallList(TMainSetupFiles& catalog);

} // namespace paperkit
