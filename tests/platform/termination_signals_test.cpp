#include "platform/termination_signals.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

bool WaitFor(const std::atomic<int>& value, int wanted) {
    for (int i = 0; i < 500 && value.load() < wanted; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return value.load() >= wanted;
}

TEST(TerminationSignals, InterruptAndTerminateReachTheHandler) {
    std::atomic<int> calls{0};
    {
        auto watch = WatchTerminationSignals([&] { ++calls; });
        std::raise(SIGINT);
        ASSERT_TRUE(WaitFor(calls, 1));
        std::raise(SIGTERM);
        ASSERT_TRUE(WaitFor(calls, 2));
    }
    // Once the watcher is gone the previous handling is back.
    const auto previous = std::signal(SIGTERM, SIG_DFL);
    EXPECT_EQ(previous, SIG_DFL);
}

} // namespace
} // namespace paperkit
