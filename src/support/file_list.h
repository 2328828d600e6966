#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace paperkit {

/// Appends the regular files of the folder to the list, in the order the file system lists them
/// (not sorted); a link counts as what it points to. With includeSubfolders each subfolder's files
/// are listed where the subfolder is met (depth first). A missing folder adds nothing.
void ListFiles(const std::filesystem::path& folder, std::vector<std::filesystem::path>& list,
               bool includeSubfolders);

/// Replaces the list by the lines of the text file (LF or CR LF line ends). False, with the list
/// left as it was, when the file is missing or cannot be read.
bool LoadTextList(std::vector<std::string>& list, const std::filesystem::path& file);

} // namespace paperkit
