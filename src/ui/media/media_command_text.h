#pragma once

#include <optional>
#include <string>

namespace paperkit {

/// One media command text taken apart. Words are matched without regard to case.
struct MediaCommand {
    enum class Verb { Open, Play, Stop, Status, Close };
    Verb verb = Verb::Open;
    /// The alias, in lower case.
    std::string alias;
    /// OPEN: the file between the double quotes.
    std::string file;
    /// PLAY ... FROM 0.
    bool fromStart = false;
};

/// Nothing for a text that is no command of the set (see media_commands.h).
std::optional<MediaCommand> ParseMediaCommand(const std::string& text);

} // namespace paperkit
