#pragma once

#include <string_view>

namespace paperkit {

/// The diagnostic sink. Writes nothing unless the environment variable PAPERKIT_LOG names a file;
/// then each line is appended there with a time stamp. Safe from any thread.
void Log(std::string_view line);

} // namespace paperkit
