#include "app/event_loop.h"

#include "support/log.h"

#include <exception>
#include <future>
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
    std::promise<void> finished;
    auto result = finished.get_future();
    Post([&] {
        try {
            work();
            finished.set_value();
        } catch (...) {
            finished.set_exception(std::current_exception());
        }
    });
    result.get();
}

void EventLoop::Post(std::function<void()> work) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
    }
    m_wake.notify_all();
}

void EventLoop::ServeOnce(Clock::duration longestWait, bool wakeOnQuit) {
    std::deque<std::function<void()>> work;
    std::vector<std::function<void()>> dueTicks;
    {
        std::unique_lock lock(m_mutex);
        auto until = Clock::now() + longestWait;
        for (const auto& [id, timer] : m_timers)
            until = std::min(until, timer.due);
        m_wake.wait_until(lock, until, [&] { return !m_queue.empty() || (wakeOnQuit && m_quit); });
        work.swap(m_queue);
        const auto now = Clock::now();
        for (auto& [id, timer] : m_timers) {
            if (timer.due <= now) {
                timer.due = now + timer.interval;
                dueTicks.push_back(timer.tick);
            }
        }
    }
    for (const auto& w : work)
        RunGuarded(w);
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
