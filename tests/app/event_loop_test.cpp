#include "app/event_loop.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using paperkit::EventLoop;

TEST(EventLoop, RunSyncRunsInTheLoopThreadAndWaits) {
    EventLoop loop;
    const auto loopThread = std::this_thread::get_id();
    std::vector<int> seen;
    std::thread coordinator([&] {
        for (int i = 0; i < 100; ++i)
            loop.RunSync([&] {
                EXPECT_EQ(std::this_thread::get_id(), loopThread);
                seen.push_back(i); // only the loop thread touches it
            });
        loop.RunSync([&] { EXPECT_EQ(seen.size(), 100u); });
        loop.Quit();
    });
    loop.Run();
    coordinator.join();
    ASSERT_EQ(seen.size(), 100u);
    EXPECT_EQ(seen.back(), 99);
}

TEST(EventLoop, RunSyncFromTheLoopThreadRunsAtOnce) {
    EventLoop loop;
    int runs = 0;
    loop.RunSync([&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

TEST(EventLoop, RunSyncPassesFailuresBack) {
    EventLoop loop;
    std::thread other([&] {
        EXPECT_THROW(loop.RunSync([] { throw std::runtime_error("no"); }), std::runtime_error);
        loop.Quit();
    });
    loop.Run();
    other.join();
}

TEST(EventLoop, TimersRepeatUntilStopped) {
    EventLoop loop;
    int ticks = 0;
    int id = 0;
    id = loop.StartTimer(1ms, [&] {
        if (++ticks == 3) {
            loop.StopTimer(id);
            loop.StartTimer(5ms, [&] { loop.Quit(); });
        }
    });
    loop.Run();
    EXPECT_EQ(ticks, 3);
}

TEST(EventLoop, ServeUntilKeepsAnsweringACoordinatorAtShutdown) {
    EventLoop loop;
    std::atomic<bool> ended{false};
    loop.Quit(); // the loop itself is over, as at shutdown
    std::thread coordinator([&] {
        for (int i = 0; i < 5; ++i)
            loop.RunSync([] {});
        ended = true;
    });
    loop.ServeUntil([&] { return ended.load(); });
    coordinator.join();
    EXPECT_TRUE(ended);
}
