#pragma once

#include <filesystem>
#include <string_view>

namespace paperkit {

/// Writes the bytes to a temporary file beside the target and renames it over the target, so the
/// target is either the old file or the whole new one. Creates the target's folder. False when
/// any step fails; the target is then untouched.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

/// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

} // namespace paperkit
