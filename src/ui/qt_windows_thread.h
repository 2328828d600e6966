#pragma once

#include "app/windows_thread.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace paperkit {

class GlibWaitHook;

/// The windows' thread of the windowed program: Qt's main thread. Work from the coordinator
/// arrives as queued calls on an object that lives there. Where Qt's loop runs on glib, a visit
/// that finds nothing to do (the coordinator's usual one, a hundred a second) is answered from
/// inside the thread's wait for events instead, as cheaply as a plain thread's wake-up.
class QtWindowsThread final : public WindowsThread {
public:
    /// Binds to the thread that creates it, which must be the thread running Qt's event loop. It
    /// may come before the application object; work posted meanwhile runs once the loop runs.
    QtWindowsThread();
    ~QtWindowsThread() override;

    void RunSync(const std::function<void()>& work) override;
    void RunSyncUnlessIdle(const std::function<bool()>& nothingToDo,
                           const std::function<void()>& work) override;
    void Post(std::function<void()> work) override;
    void ServeUntil(const std::function<bool()>& done) override;

private:
    struct Visit;
    void HookIntoTheWait();
    void ServeVisits();
    void Finish(Visit& visit);

    QObject m_context;
    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::vector<Visit*> m_waiting;
    std::vector<Visit*> m_serving;
    // After what the hook serves, so that it goes first.
    std::unique_ptr<GlibWaitHook> m_hookOwner;
    std::atomic<GlibWaitHook*> m_hook{nullptr}; // what other threads see of it
};

} // namespace paperkit
