#pragma once

#include "transfer/fetch.h"
#include "transfer/http_task.h"
#include "transfer/http_thread.h"

#include <memory>
#include <vector>

namespace paperkit {

class OnlineState;

/// The download scheduler: owns the task list and up to three workers, and hands waiting tasks to
/// free workers. An ordinary object run by the coordinator thread, not a thread itself.
class TWallTaskThread {
public:
    static constexpr int MaxWorkers = 3;

    /// Without a connection state the platform's own is used.
    explicit TWallTaskThread(std::shared_ptr<const OnlineState> online = nullptr,
                             TransferSettings settings = {});
    /// Releases the task list, then stops and awaits every worker.
    ~TWallTaskThread();
    TWallTaskThread(const TWallTaskThread&) = delete;
    TWallTaskThread& operator=(const TWallTaskThread&) = delete;

    TWallHttpTaskes& Taskes() { return m_tasks; }

    /// One scheduling step: finished workers report into their tasks, update-file tasks move to
    /// the front, and waiting tasks go to free workers (at most one "F" and two other transfers).
    void Schedule();

    /// Every worker created so far, in order of creation.
    int WorkerCount() const { return static_cast<int>(m_workers.size()); }
    const TWallHttpThread* Worker(int index) const;

private:
    std::shared_ptr<const OnlineState> m_online;
    TransferSettings m_settings;
    std::vector<std::unique_ptr<TWallHttpThread>> m_workers;
    std::vector<TWallHttpThread*> m_idle;
    // Declared last so that it is released first, while the workers still exist.
    TWallHttpTaskes m_tasks;
    int m_runningF = 0;
    int m_runningOthers = 0;
};

} // namespace paperkit
