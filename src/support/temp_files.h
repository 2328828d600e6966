#pragma once

#include <filesystem>
#include <string_view>

namespace paperkit {

/// The system's folder for temporary files: $TMPDIR when set, else /tmp; no trailing separator.
std::filesystem::path TempFolder();

/// Creates a new, empty file with a unique name that starts with the prefix in the temporary
/// folder and returns its full path; an empty path when it cannot be created. Separators in the
/// prefix are replaced, so the file always lands in the temporary folder itself.
std::filesystem::path MakeTempFile(std::string_view prefix);

} // namespace paperkit
