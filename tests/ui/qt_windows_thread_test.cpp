#include "ui/qt_windows_thread.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using paperkit::QtWindowsThread;

namespace {

int argc = 1;
char name[] = "ui_tests";
char* argv[] = {name, nullptr};

} // namespace

TEST(QtWindowsThread, RunsCoordinatorWorkInTheMainThread) {
    QCoreApplication app(argc, argv);
    QtWindowsThread windows;
    const auto mainThread = std::this_thread::get_id();
    int runs = 0;
    std::thread coordinator([&] {
        for (int i = 0; i < 20; ++i)
            windows.RunSync([&] {
                EXPECT_EQ(std::this_thread::get_id(), mainThread);
                ++runs;
            });
        windows.Post([&] { QCoreApplication::quit(); });
    });
    QCoreApplication::exec();
    coordinator.join();
    EXPECT_EQ(runs, 20);
}

TEST(QtWindowsThread, ServeUntilAnswersWhileWaitingForTheCoordinator) {
    QCoreApplication app(argc, argv);
    QtWindowsThread windows;
    std::atomic<bool> ended{false};
    std::thread coordinator([&] {
        for (int i = 0; i < 5; ++i)
            windows.RunSync([] {});
        ended = true;
    });
    windows.ServeUntil([&] { return ended.load(); });
    coordinator.join();
    EXPECT_TRUE(ended);
}
