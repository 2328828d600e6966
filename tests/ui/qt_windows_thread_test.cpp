#include "ui/qt_windows_thread.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#ifdef PAPERKIT_TEST_WITH_GLIB
#include <glib.h>
#endif

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
        for (int i = 0; i < 5; ++i) {
            windows.RunSync([] {});
            windows.RunSyncUnlessIdle([i] { return i % 2 == 0; }, [] {});
        }
        ended = true;
    });
    windows.ServeUntil([&] { return ended.load(); });
    coordinator.join();
    EXPECT_TRUE(ended);
}

// The coordinator visits a hundred times a second and almost always finds nothing to do; those
// visits are answered inside the main thread's wait, without a pass through Qt's event loop. The
// program makes its windows' thread before the application object, the tests after.
namespace {

void ExpectIdleVisitsToBypassTheEventLoop(bool threadBeforeApplication) {
    std::optional<QtWindowsThread> early;
    if (threadBeforeApplication)
        early.emplace();
    QCoreApplication app(argc, argv);
    if (!QAbstractEventDispatcher::instance()->inherits("QEventDispatcherGlib"))
        GTEST_SKIP() << "Qt runs without glib here: every visit passes through its event loop";
    std::optional<QtWindowsThread> late;
    if (!threadBeforeApplication)
        late.emplace();
    QtWindowsThread& windows = early ? *early : *late;
    const auto mainThread = std::this_thread::get_id();
    int loopPasses = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [&] { ++loopPasses; });
    int checks = 0;
    int passesBefore = 0;
    int passesAfter = 0;
    std::thread coordinator([&] {
        windows.RunSync([&] { passesBefore = loopPasses; });
        for (int i = 0; i < 100; ++i)
            windows.RunSyncUnlessIdle(
                [&] {
                    EXPECT_EQ(std::this_thread::get_id(), mainThread);
                    ++checks;
                    return true;
                },
                [] { ADD_FAILURE() << "an idle visit ran its work"; });
        windows.RunSync([&] { passesAfter = loopPasses; });
        windows.Post([] { QCoreApplication::quit(); });
    });
    QCoreApplication::exec();
    coordinator.join();
    EXPECT_EQ(checks, 100);
    EXPECT_LT(passesAfter - passesBefore, 10);
}

} // namespace

TEST(QtWindowsThread, IdleVisitsAreAnsweredWithoutWakingTheEventLoop) {
    for (const bool threadBeforeApplication : {false, true}) {
        SCOPED_TRACE(threadBeforeApplication ? "made before the application" : "made after it");
        ExpectIdleVisitsToBypassTheEventLoop(threadBeforeApplication);
        if (IsSkipped())
            return;
    }
}

// Work runs in Qt's event handling, where window code may open a dialog, and visits go on being
// answered while window code waits in a nested loop of its own.
TEST(QtWindowsThread, VisitsWithWorkRunInTheEventLoopAlsoInsideNestedLoops) {
    QCoreApplication app(argc, argv);
    QtWindowsThread windows;
    std::atomic<bool> coordinatorDone{false};
    std::vector<std::string> order;
    std::thread coordinator;
    QTimer::singleShot(0, [&] {
        // A modal dialog's loop, opened by window code before the coordinator starts.
        coordinator = std::thread([&] {
            windows.RunSyncUnlessIdle([] { return true; }, [] {});
            windows.RunSyncUnlessIdle([] { return false; },
                                      [&] {
                                          QEventLoop dialog;
                                          QTimer::singleShot(20, &dialog, &QEventLoop::quit);
                                          dialog.exec();
                                          order.push_back("work after its own dialog");
                                      });
            windows.RunSyncUnlessIdle([]() -> bool { throw std::runtime_error("unsure"); },
                                      [&] { order.push_back("work after a failed check"); });
            EXPECT_THROW(windows.RunSyncUnlessIdle([] { return false; },
                                                   [] { throw std::runtime_error("work failed"); }),
                         std::runtime_error);
            coordinatorDone = true;
        });
        QEventLoop modal;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (coordinatorDone)
                modal.quit();
        });
        poll.start(5);
        modal.exec();
        order.push_back("modal closed");
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    coordinator.join();
    EXPECT_EQ(order, (std::vector<std::string>{"work after its own dialog",
                                               "work after a failed check", "modal closed"}));
}

#ifdef PAPERKIT_TEST_WITH_GLIB
// Something else in the process may put its own poll function on the main context after ours.
// Visits then take a moment longer, as queued calls, and never wait for good.
TEST(QtWindowsThread, VisitsArriveAlsoWhenSomethingElseTookTheWait) {
    QCoreApplication app(argc, argv);
    QtWindowsThread windows;
    GMainContext* context = g_main_context_default();
    const GPollFunc ours = g_main_context_get_poll_func(context);
    g_main_context_set_poll_func(context, g_poll);
    int checks = 0;
    bool worked = false;
    std::thread coordinator([&] {
        windows.RunSyncUnlessIdle(
            [&] {
                ++checks;
                return true;
            },
            [] {});
        windows.RunSyncUnlessIdle([] { return false; }, [&] { worked = true; });
        windows.Post([] { QCoreApplication::quit(); });
    });
    QCoreApplication::exec();
    coordinator.join();
    g_main_context_set_poll_func(context, ours);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(worked);
}
#endif
