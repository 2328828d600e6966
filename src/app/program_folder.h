#pragma once

#include <filesystem>

namespace paperkit {

/// The folder that holds the program's own files ("default.wma", the updater), given the
/// program file's path. They lie beside the program in the build tree and in a folder of its
/// own; an installed tree keeps them in PREFIX/share/paperkit beside PREFIX/bin/paperkit. Both
/// are found from the program's path, so a moved prefix keeps working.
std::filesystem::path ProgramFolderOf(const std::filesystem::path& programFile);

} // namespace paperkit
