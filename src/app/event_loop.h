#pragma once

#include "app/windows_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace paperkit {

/// The headless program's windows' thread: a queue of work and repeating timers, run by Run() in
/// the thread that calls it until Quit().
class EventLoop final : public WindowsThread {
public:
    using Clock = std::chrono::steady_clock;

    EventLoop();

    void RunSync(const std::function<void()>& work) override;
    void Post(std::function<void()> work) override;
    void ServeUntil(const std::function<bool()>& done) override;

    /// Serves work and timers until Quit() is called. The calling thread becomes the windows'
    /// thread.
    void Run();
    /// Makes Run() return after the work under way; safe from any thread.
    void Quit();

    /// Calls `tick` in the loop's thread every `interval` from now on; returns the timer's id.
    int StartTimer(Clock::duration interval, std::function<void()> tick);
    /// Stops a timer; an unknown id does nothing.
    void StopTimer(int id);

private:
    struct Timer {
        Clock::duration interval;
        Clock::time_point due;
        std::function<void()> tick;
    };

    bool InLoopThread() const;
    /// Runs what is due and waits at most until the next timer or new work.
    void ServeOnce(Clock::duration longestWait, bool wakeOnQuit);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    /// Signals the end of a RunSync's work.
    std::condition_variable m_finished;
    std::deque<std::function<void()>> m_queue;
    std::map<int, Timer> m_timers;
    int m_nextTimerId = 1;
    bool m_quit = false;
    std::thread::id m_owner;
};

} // namespace paperkit
