#pragma once

#include <optional>
#include <string_view>

namespace paperkit {

/// The value of a whole decimal number: an optional sign and at least one digit, nothing else, and
/// within the 32-bit range. nullopt for anything else (spaces, "12abc", hexadecimal, overflow).
std::optional<int> ParseDecimal(std::string_view text);

} // namespace paperkit
