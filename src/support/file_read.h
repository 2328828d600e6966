#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace paperkit {

/// The whole content of a regular file; nullopt when it is missing, not a regular file or cannot
/// be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

} // namespace paperkit
