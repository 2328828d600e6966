#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The hand-off file between a second start and the running instance: plain text, one argument per
// line, each line ended by CR LF, only ever appended to.
namespace paperkit {

/// Appends the argument as one line, creating the file (not its folder) when missing. False when
/// the file cannot be written; the caller sends the hand-off message all the same.
bool AppendHandOff(const std::filesystem::path& file, std::string_view argument);

/// Reads every line of the file and deletes it. The "WebDownload:" command that carries the lines,
/// each followed by CR LF; nullopt when the file was missing or held no line.
std::optional<std::string> TakeHandOff(const std::filesystem::path& file);

} // namespace paperkit
