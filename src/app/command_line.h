#pragma once

#include <optional>
#include <string>
#include <vector>

namespace paperkit {

/// A navigator step handed to the running instance from the command line.
enum class RemoteStep { None, Next, Prev, NextAlbum, PrevAlbum, Clear };

/// What the program was asked to do.
struct CommandLine {
    bool headless = false;
    bool exitWhenIdle = false;
    std::string server;    // server root overriding the built-in one; empty for none
    std::string guideFile; // the one optional argument: a download guide file
    RemoteStep step = RemoteStep::None;
};

/// The result of parsing: the options, or the exit code and text to print (help, version and
/// usage errors).
struct ParsedCommandLine {
    std::optional<CommandLine> options;
    int exitCode = 0;
    std::string output;
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

/// The message a step travels as between instances ("next", "prev", ...).
std::string StepMessage(RemoteStep step);
/// The step a message names; None for any other text.
RemoteStep StepFromMessage(const std::string& message);

/// The hand-off message a second start sends after writing its argument to the hand-off file.
inline constexpr const char* kHandOffMessage = "1114";

} // namespace paperkit
