#include "transfer/http_thread.h"

#include "platform/online_state.h"
#include "platform/thread_priority.h"
#include "support/globals.h"
#include "transfer/http_task.h"
#include "transfer/online.h"

#include <chrono>

namespace paperkit {

TWallHttpThread::TWallHttpThread(std::shared_ptr<const OnlineState> online,
                                 TransferSettings settings)
    : m_online(online ? std::move(online) : CreateOnlineState()), m_settings(settings),
      m_client(ClientSettingsFor(settings)) {
    // A cross-thread Disconnect only reaches the request in flight; the abort flag also covers a
    // request that starts right after it.
    m_client.SetCancelCheck([this] { return ShouldStop(); });
    m_thread = std::thread([this] { Run(); });
}

TWallHttpThread::~TWallHttpThread() {
    RequestStop();
    Abort();
    if (m_thread.joinable())
        m_thread.join();
}

void TWallHttpThread::SetTask(TWallHttpTask* task) {
    m_task = task;
    if (task) {
        m_url = task->URL;
        m_target = task->Target;
        m_status = WorkerStatus::Create;
        task->State = "create";
        task->Worker = this;
    } else {
        m_url.clear();
        m_target.clear();
        m_status = WorkerStatus::None;
    }
}

void TWallHttpThread::Release() {
    m_assignment.unlock();
    m_wake.notify_one();
}

void TWallHttpThread::Abort() {
    m_abort = true;
    m_client.Disconnect();
}

void TWallHttpThread::DetachFrom(const TWallHttpTask* task, bool abort) {
    if (m_task != task)
        return;
    if (abort)
        Abort();
    std::lock_guard hold(m_assignment);
    SetTask(nullptr);
}

void TWallHttpThread::RequestStop() {
    {
        std::lock_guard lock(m_assignment);
        m_stop = true;
    }
    m_wake.notify_one();
}

bool TWallHttpThread::IsIdle() const {
    // Busy first: a job sets its final status before it clears busy.
    if (m_busy.load())
        return false;
    const WorkerStatus status = m_status.load();
    return status == WorkerStatus::None || status == WorkerStatus::End ||
           status == WorkerStatus::EndSuccess;
}

bool TWallHttpThread::ShouldStop() const {
    return m_stop.load() || m_abort.load() || Closing.load();
}

void TWallHttpThread::Run() {
    LowerCurrentThreadPriority();
    while (!m_stop.load()) {
        m_abort = false;
        std::string url;
        std::filesystem::path target;
        bool job = false;
        {
            std::lock_guard top(m_assignment);
            if (!Closing.load() && m_task && m_status.load() == WorkerStatus::Create) {
                m_busy = true;
                url = m_url;
                target = m_target;
                job = true;
            }
        }
        if (job) {
            // Offline, the status stays "create" and the same job is tried again next time.
            if (IsOnline(*m_online)) {
                FetchHooks hooks;
                hooks.stop = [this] { return ShouldStop(); };
                hooks.onBegin = [this] { m_status = WorkerStatus::Begin; };
                hooks.onReceived = [this] { m_status = WorkerStatus::Success; };
                const bool written =
                    FetchResource(m_client, url, target, FetchVoice::Worker, m_settings, hooks);
                m_status = written ? WorkerStatus::EndSuccess : WorkerStatus::End;
            }
            m_busy = false;
        }
        // The 10 ms pause ends early when a task is handed over or the worker is stopped. It is
        // also kept while closing: no job starts then, and the loop must not spin until stopped.
        std::unique_lock pause(m_assignment);
        m_wake.wait_for(pause, std::chrono::milliseconds(10), [this, job] {
            return m_stop.load() ||
                   (m_task && m_status.load() == WorkerStatus::Create && !Closing.load() && !job);
        });
    }
}

} // namespace paperkit
