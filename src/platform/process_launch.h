#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace paperkit {

/// Starts the program with these arguments (not counting the program itself) as a new process in
/// the normal window state, and returns without waiting for it. False when it could not be
/// started.
bool LaunchDetached(const std::filesystem::path& program, const std::vector<std::string>& args);

} // namespace paperkit
