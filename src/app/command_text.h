#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace paperkit {

/// A command line taken apart: the text before the first ":" and everything after it.
struct CommandParts {
    std::string Name;
    std::string Arg;
};

/// Splits at the first ":"; the argument keeps any later ":" and line breaks. A line without ":"
/// is all name.
CommandParts SplitCommand(std::string_view line);

/// An image key ("1057.3") taken apart at its first "."; `No` is empty for a key without ".".
struct ImageKeyParts {
    std::string Id;
    std::string No;
};

ImageKeyParts SplitImageKey(std::string_view key);

/// A decimal whole number as the program's own senders write it: an optional "-" and digits,
/// nothing else, within the range of int. nullopt for anything else.
std::optional<int> ParseDecimal(std::string_view text);

} // namespace paperkit
