#include "transfer/task_thread.h"

#include "platform/online_state.h"

#include <algorithm>

namespace paperkit {

TWallTaskThread::TWallTaskThread(std::shared_ptr<const OnlineState> online,
                                 TransferSettings settings)
    : m_online(online ? std::move(online) : CreateOnlineState()), m_settings(settings) {}

TWallTaskThread::~TWallTaskThread() {
    m_tasks.Clear();
    m_idle.clear();
    // Every worker is asked first, so that their jobs wind down together.
    for (auto& worker : m_workers) {
        worker->RequestStop();
        worker->Abort();
    }
    for (auto& worker : m_workers)
        worker.reset();
}

const TWallHttpThread* TWallTaskThread::Worker(int index) const {
    if (index < 0 || index >= WorkerCount())
        return nullptr;
    return m_workers[static_cast<std::size_t>(index)].get();
}

void TWallTaskThread::Schedule() {
    m_runningF = 0;
    m_runningOthers = 0;

    for (auto it = m_workers.rbegin(); it != m_workers.rend(); ++it) {
        TWallHttpThread* worker = it->get();
        TWallHttpTask* task = worker->Task();
        if (worker->IsIdle()) {
            if (std::find(m_idle.begin(), m_idle.end(), worker) != m_idle.end())
                continue;
            m_idle.push_back(worker);
            if (task) {
                task->Success = worker->Status() == WorkerStatus::EndSuccess;
                task->State = "end";
                ++task->TryCounts;
            }
        } else if (task) {
            ++(task->Kind == "F" ? m_runningF : m_runningOthers);
        }
    }

    int busy = WorkerCount() - static_cast<int>(m_idle.size());
    if (busy >= MaxWorkers)
        return;

    const int count = m_tasks.Count();
    int passedF = 0;
    for (int i = 0; i < count; ++i) {
        if (m_tasks.Get(i)->Kind != "F")
            continue;
        if (i > passedF)
            m_tasks.MoveToFront(i);
        ++passedF;
    }

    for (int i = 0; i < count; ++i) {
        TWallHttpTask* task = m_tasks.Get(i);
        if (!task->State.empty())
            continue;
        int& running = task->Kind == "F" ? m_runningF : m_runningOthers;
        if (running >= (task->Kind == "F" ? 1 : 2))
            continue;
        ++running;

        TWallHttpThread* worker = nullptr;
        if (!m_idle.empty()) {
            worker = m_idle.front();
            m_idle.erase(m_idle.begin());
        } else if (WorkerCount() < MaxWorkers) {
            m_workers.push_back(std::make_unique<TWallHttpThread>(m_online, m_settings));
            worker = m_workers.back().get();
        }
        if (worker) {
            worker->Hold();
            worker->SetTask(task);
            worker->Release();
        }
        if (++busy > MaxWorkers)
            return;
    }
}

} // namespace paperkit
