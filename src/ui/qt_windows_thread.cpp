#include "ui/qt_windows_thread.h"

#include "ui/glib_wait_hook.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <exception>

namespace paperkit {

namespace {

// How long a visit waits to be answered inside the wait before it goes as a queued call.
constexpr auto kWaitBeforeQueuing = std::chrono::milliseconds(100);

// Runs the work and hands back what it throws: nothing may pass through Qt's event handling, and
// the caller waiting in the other thread is the one to hear of it.
std::exception_ptr RunCatching(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

} // namespace

// A waiting RunSyncUnlessIdle: lives on the caller's stack until `done`.
struct QtWindowsThread::Visit {
    const std::function<bool()>* nothingToDo;
    const std::function<void()>* work;
    std::exception_ptr error;
    bool done = false;
};

QtWindowsThread::QtWindowsThread() {
    // The hook needs the event dispatcher, which comes with the application object.
    if (QCoreApplication::instance())
        HookIntoTheWait();
    else
        Post([this] { HookIntoTheWait(); });
}

QtWindowsThread::~QtWindowsThread() {
    m_hook = nullptr;
}

void QtWindowsThread::HookIntoTheWait() {
    m_hookOwner = GlibWaitHook::Install([this] { ServeVisits(); });
    m_hook = m_hookOwner.get();
}

void QtWindowsThread::RunSync(const std::function<void()>& work) {
    if (QThread::currentThread() == m_context.thread()) {
        work();
        return;
    }
    std::exception_ptr error;
    QMetaObject::invokeMethod(
        &m_context, [&] { error = RunCatching(work); }, Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
}

void QtWindowsThread::RunSyncUnlessIdle(const std::function<bool()>& nothingToDo,
                                        const std::function<void()>& work) {
    GlibWaitHook* hook = m_hook;
    if (!hook || QThread::currentThread() == m_context.thread()) {
        WindowsThread::RunSyncUnlessIdle(nothingToDo, work);
        return;
    }
    Visit visit{&nothingToDo, &work, nullptr};
    {
        std::lock_guard lock(m_mutex);
        m_waiting.push_back(&visit);
    }
    hook->Wake();
    std::unique_lock lock(m_mutex);
    if (!m_finished.wait_for(lock, kWaitBeforeQueuing, [&] { return visit.done; })) {
        // Not taken yet: the thread is busy outside its wait, or something has put its own poll
        // function in place of ours. The queued call reaches the thread either way.
        const auto waiting = std::find(m_waiting.begin(), m_waiting.end(), &visit);
        if (waiting != m_waiting.end()) {
            m_waiting.erase(waiting);
            lock.unlock();
            WindowsThread::RunSyncUnlessIdle(nothingToDo, work);
            return;
        }
        m_finished.wait(lock, [&] { return visit.done; });
    }
    if (visit.error)
        std::rethrow_exception(visit.error);
}

// In the windows' thread, inside its wait for events: no window code is running, and none runs
// here. A visit with something to do goes on as a queued call, so its work runs where window code
// may run: in Qt's event handling, free to open a dialog.
void QtWindowsThread::ServeVisits() {
    {
        std::lock_guard lock(m_mutex);
        m_serving.swap(m_waiting);
    }
    for (Visit* visit : m_serving) {
        if (NothingToDo(*visit->nothingToDo)) {
            Finish(*visit);
            continue;
        }
        QMetaObject::invokeMethod(
            &m_context,
            [this, visit] {
                visit->error = RunCatching(*visit->work);
                Finish(*visit);
            },
            Qt::QueuedConnection);
    }
    m_serving.clear();
}

void QtWindowsThread::Finish(Visit& visit) {
    {
        std::lock_guard lock(m_mutex);
        visit.done = true;
    }
    m_finished.notify_all();
}

void QtWindowsThread::Post(std::function<void()> work) {
    QMetaObject::invokeMethod(&m_context, std::move(work), Qt::QueuedConnection);
}

void QtWindowsThread::ServeUntil(const std::function<bool()>& done) {
    if (done())
        return;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(10);
    loop.exec();
}

} // namespace paperkit
