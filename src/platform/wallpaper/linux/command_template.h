#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

/// Splits a command template into words as a POSIX shell would: blanks separate words, single
/// quotes keep everything literally, double quotes keep all but \" \\ \$ \` and a backslash
/// outside quotes keeps the next character. Nothing is expanded. nullopt for an unterminated
/// quote or a trailing backslash.
std::optional<std::vector<std::string>> SplitCommandTemplate(std::string_view text);

/// The words with every "%f" replaced by the picture's path, every "%s" by the stored style
/// ("centre", "stretch" or "tile") and "%%" by "%". The path stays inside its word, so it is
/// never split again.
std::vector<std::string> ExpandCommandTemplate(const std::vector<std::string>& words,
                                               const std::string& picture,
                                               std::string_view style = "centre");

} // namespace paperkit
