#pragma once

#include <string>

namespace paperkit {

/// The result of one media command: whether it succeeded, and the answer text of a query
/// ("STATUS alias MODE" answers "playing", "stopped" or "not ready").
struct MediaReply {
    bool ok = false;
    std::string text;

    bool operator==(const MediaReply&) const = default;
};

/// Background music driven by command texts, one at a time:
///   OPEN "file" ALIAS name    opens a file under an alias; fails for an alias already open
///   PLAY name FROM 0          plays from the start
///   PLAY name                 plays on from where it stopped
///   STOP name                 stops, keeping the position
///   STATUS name MODE          answers "playing", or "stopped" (also once the media has ended)
///   CLOSE name                closes the alias
/// Callers look at no result: a command that fails does nothing.
class MediaCommands {
public:
    virtual ~MediaCommands() = default;
    virtual MediaReply Send(const std::string& command) = 0;
};

} // namespace paperkit
