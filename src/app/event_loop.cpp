#include "app/event_loop.h"

#include "support/log.h"

#include <exception>
#include <vector>

namespace paperkit {

namespace {

void RunGuarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        Log(std::string("windows' thread: ") + e.what());
    } catch (...) {
        Log("windows' thread: unknown failure");
    }
}

} // namespace

EventLoop::EventLoop() : m_owner(std::this_thread::get_id()) {}

bool EventLoop::InLoopThread() const {
    std::lock_guard lock(m_mutex);
    return m_owner == std::this_thread::get_id();
}

void EventLoop::RunSync(const std::function<void()>& work) {
    if (InLoopThread()) {
        work();
        return;
    }
    // The coordinator hops here every cycle, so the hand-over lives on this stack and the posted
    // function only carries a pointer to it (small enough to need no allocation).
    struct HandOver {
        const std::function<void()>* work;
        std::exception_ptr error;
        bool done = false;
    } handOver{&work, nullptr};
    Post([this, state = &handOver] {
        try {
            (*state->work)();
        } catch (...) {
            state->error = std::current_exception();
        }
        {
            std::lock_guard lock(m_mutex);
            state->done = true;
        }
        m_finished.notify_all();
    });
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [&] { return handOver.done; });
    if (handOver.error)
        std::rethrow_exception(handOver.error);
}

void EventLoop::Post(std::function<void()> work) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
    }
    m_wake.notify_all();
}

void EventLoop::ServeOnce(Clock::duration longestWait, bool wakeOnQuit) {
    std::vector<std::function<void()>> dueTicks;
    std::size_t queued = 0;
    {
        std::unique_lock lock(m_mutex);
        auto until = Clock::now() + longestWait;
        for (const auto& [id, timer] : m_timers)
            until = std::min(until, timer.due);
        m_wake.wait_until(lock, until, [&] { return !m_queue.empty() || (wakeOnQuit && m_quit); });
        queued = m_queue.size();
        const auto now = Clock::now();
        for (auto& [id, timer] : m_timers) {
            if (timer.due <= now) {
                timer.due = now + timer.interval;
                dueTicks.push_back(timer.tick);
            }
        }
    }
    // One item at a time: the work may serve the loop itself (shutdown waits that way), and a
    // nested serve then simply takes the next items.
    for (std::size_t i = 0; i < queued; ++i) {
        std::function<void()> work;
        {
            std::lock_guard lock(m_mutex);
            if (m_queue.empty())
                break;
            work = std::move(m_queue.front());
            m_queue.pop_front();
        }
        RunGuarded(work);
    }
    for (const auto& tick : dueTicks)
        RunGuarded(tick);
}

void EventLoop::Run() {
    {
        std::lock_guard lock(m_mutex);
        m_owner = std::this_thread::get_id();
        m_quit = false;
    }
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_quit)
                break;
        }
        ServeOnce(std::chrono::seconds(1), true);
    }
}

void EventLoop::ServeUntil(const std::function<bool()>& done) {
    while (!done())
        ServeOnce(std::chrono::milliseconds(10), false);
}

void EventLoop::Quit() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
}

int EventLoop::StartTimer(Clock::duration interval, std::function<void()> tick) {
    std::lock_guard lock(m_mutex);
    const int id = m_nextTimerId++;
    m_timers.emplace(id, Timer{interval, Clock::now() + interval, std::move(tick)});
    m_wake.notify_all();
    return id;
}

void EventLoop::StopTimer(int id) {
    std::lock_guard lock(m_mutex);
    m_timers.erase(id);
}

} // namespace paperkit
