#pragma once

#include <functional>
#include <memory>

namespace paperkit {

/// Turns the system's requests to end the program (SIGINT and SIGTERM; the console's close events
/// on Windows) into one call of a handler on an ordinary thread, so that the program can shut down
/// in its usual order instead of dying mid-write.
class TerminationSignals {
public:
    virtual ~TerminationSignals() = default;
};

/// Starts watching. The handler runs on a thread of the watcher's, once per request received; the
/// default handling comes back when the watcher is destroyed.
std::unique_ptr<TerminationSignals> WatchTerminationSignals(std::function<void()> handler);

} // namespace paperkit
