#pragma once

#include "transfer/fetch.h"
#include "transfer/http_client.h"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace paperkit {

class OnlineState;
struct TWallHttpTask;

/// Where a worker is with its job.
enum class WorkerStatus {
    /// No task.
    None,
    /// A task was handed over and not started yet, or the program is offline.
    Create,
    /// The length is known and the GET phase runs.
    Begin,
    /// Every byte arrived.
    Success,
    /// The target was written.
    EndSuccess,
    /// The job ended without writing the target.
    End,
};

/// A download worker: a thread one priority step below normal that fetches the task it is handed
/// with a client of its own. Status, busy and abort are atomics shared with the coordinator; the
/// assignment (task, URL, target) is written by the coordinator only while the worker is held at
/// the top of its loop, where the worker reads it.
class TWallHttpThread {
public:
    TWallHttpThread(std::shared_ptr<const OnlineState> online, TransferSettings settings);
    /// Stops the thread (aborting a job in progress) and waits for it.
    ~TWallHttpThread();
    TWallHttpThread(const TWallHttpThread&) = delete;
    TWallHttpThread& operator=(const TWallHttpThread&) = delete;

    /// Holds the worker at the top of its loop until Release; coordinator thread.
    void Hold() { m_assignment.lock(); }
    /// Lets the worker go on; one that was handed a task starts it at once.
    void Release();

    /// Hands the task over (status and the task's state become "create"), or with nullptr drops
    /// the assignment (status empty). Only while held, or while the worker is idle.
    void SetTask(TWallHttpTask* task);
    /// Ends the current job: a blocked request fails at once.
    void Abort();
    /// When the worker still holds this task: abort it if asked, then drop the task while held.
    void DetachFrom(const TWallHttpTask* task, bool abort);
    /// Asks the thread to end after its current step.
    void RequestStop();

    TWallHttpTask* Task() const { return m_task; }
    WorkerStatus Status() const { return m_status.load(); }
    bool Busy() const { return m_busy.load(); }
    /// Not busy, and no task, or the last job has ended.
    bool IsIdle() const;

private:
    void Run();
    bool ShouldStop() const;

    std::shared_ptr<const OnlineState> m_online;
    TransferSettings m_settings;
    HttpClient m_client;

    std::mutex m_assignment;
    std::condition_variable m_wake;
    TWallHttpTask* m_task = nullptr;
    std::string m_url;
    std::filesystem::path m_target;

    std::atomic<WorkerStatus> m_status{WorkerStatus::None};
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace paperkit
