#pragma once

#include <functional>

namespace paperkit {

/// The windows' thread as the coordinator sees it: the one thread that owns the windows, the
/// windows' copy of the catalog and the command list. The headless program runs a plain event
/// loop; the windowed program runs Qt's.
class WindowsThread {
public:
    virtual ~WindowsThread() = default;

    /// Runs the work in the windows' thread and returns once it has run. Called from the windows'
    /// thread itself, it runs the work at once.
    virtual void RunSync(const std::function<void()>& work) = 0;
    /// Queues the work for the windows' thread and returns at once.
    virtual void Post(std::function<void()> work) = 0;
    /// Called in the windows' thread: keeps serving RunSync and posted work until `done` returns
    /// true. Shutdown waits for the coordinator this way, so a coordinator blocked in RunSync can
    /// still reach its end.
    virtual void ServeUntil(const std::function<bool()>& done) = 0;
};

} // namespace paperkit
