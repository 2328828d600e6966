#pragma once

#include <filesystem>

namespace paperkit {

/// True when the path names a regular file (through links); false on any error.
bool IsFile(const std::filesystem::path& path);

} // namespace paperkit
