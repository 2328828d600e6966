#pragma once

#include "publish/picture_encoder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where a published catalog keeps its files. The catalog folder is the server root: the program
// asks for "/wallfiles/file.xmz" and for each album's `WebPath` below it.
namespace paperkit {

/// The documents' folder below the server root (the program's `CatalogBase` adds it).
inline constexpr const char* DocumentsFolderName = "wallfiles";
/// The albums' picture folders below the server root.
inline constexpr const char* PicturesFolderName = "pictures";
/// The update containers' folder below the documents' folder.
inline constexpr const char* UpdatesFolderName = "lastver";
/// The cover pictures' folder below an album's `WebPath`, and the covers' size.
inline constexpr const char* CoverFolderName = "160";
inline constexpr PixelSize CoverSize{160, 120};

inline constexpr const char* FileTotalDocument = "filetotal.xmz";
inline constexpr const char* CategoryDocument = "category.xmz";
inline constexpr const char* FileDocument = "file.xmz";
inline constexpr const char* LastVerDocument = "lastver.xmz";

/// The file below the catalog folder that a server path (a URL path, already percent-decoded to
/// UTF-8) names; nullopt when the path has a ".." part or is not below the root. A backslash
/// counts as a separator.
std::optional<std::filesystem::path> ServedFile(const std::filesystem::path& root,
                                                std::string_view urlPath);

} // namespace paperkit
