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
    /// RunSync for a visit that mostly finds nothing to do, as the coordinator's one every cycle:
    /// `nothingToDo` runs first in the windows' thread, and `work` runs only when it says false.
    /// The check may run wherever that thread waits for events, outside the windows' event
    /// handling, so it may only read the windows' data: never change it, never run a loop. A
    /// check that throws counts as "there may be work".
    virtual void RunSyncUnlessIdle(const std::function<bool()>& nothingToDo,
                                   const std::function<void()>& work) {
        RunSync([&] {
            if (!NothingToDo(nothingToDo))
                work();
        });
    }
    /// Queues the work for the windows' thread and returns at once.
    virtual void Post(std::function<void()> work) = 0;
    /// Called in the windows' thread: keeps serving RunSync and posted work until `done` returns
    /// true. Shutdown waits for the coordinator this way, so a coordinator blocked in RunSync can
    /// still reach its end.
    virtual void ServeUntil(const std::function<bool()>& done) = 0;

protected:
    static bool NothingToDo(const std::function<bool()>& check) noexcept {
        try {
            return check();
        } catch (...) {
            return false;
        }
    }
};

} // namespace paperkit
