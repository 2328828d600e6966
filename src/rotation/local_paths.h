#pragma once

#include "catalog/wall_image.h"
#include "catalog/wall_last_ver.h"
#include "catalog/wall_subject.h"

#include <filesystem>
#include <optional>
#include <string_view>

// Where each catalog file lies on disk. The album's LocalPath and the file names come from the
// server and are appended to the picture folder as text, exactly as they stand (a backslash in them
// is a separator). A value that could reach outside the folder (a ".." part, a drive, a network
// root, a NUL) or that names no file yields no path: such a record counts as not present, is never
// downloaded and never deleted.
namespace paperkit {

/// The picture folder followed by the relative text localPath + fileName, or nullopt when that
/// text is hostile or names no file.
std::optional<std::filesystem::path> FileBelow(const std::filesystem::path& folder,
                                               std::string_view localPath,
                                               std::string_view fileName);

/// Cover of a latest-updates album: download folder/new/subject + LocalPath + FileName.
std::optional<std::filesystem::path> NewSubjectFile(const TWallSubject& subject);
/// Cover of a downloaded album: download folder/download/subject + LocalPath + FileName.
std::optional<std::filesystem::path> DownSubjectFile(const TWallSubject& subject);
/// Picture of a latest-updates album: download folder/new/wallpaper + LocalPath + FileName.
std::optional<std::filesystem::path> NewImageFile(const TWallImage& image);
/// Picture of a downloaded album: download folder/download/wallpaper + LocalPath + FileName.
std::optional<std::filesystem::path> DownImageFile(const TWallImage& image);

/// Update container of a program version file: receive folder/update/<scrambled name>.xyz. The
/// scrambled name is hexadecimal digits only, so it always stays in that folder.
std::filesystem::path UpdateFile(const TWallLastVer& version);

/// The hand-off file of a second start. Always below the default download folder, which both the
/// second start and the running program know, whatever download folder the user chose.
std::filesystem::path HandOffFile();

} // namespace paperkit
