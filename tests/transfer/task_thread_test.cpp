#include "platform/online_state.h"
#include "support/globals.h"
#include "testsupport/fake_online_state.h"
#include "testsupport/http_test_server.h"
#include "testsupport/temp_dir.h"
#include "transfer/task_thread.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

using test::FakeOnline;
using test::HttpTestServer;
using test::ReadFile;
using test::TempDir;

std::vector<std::string> Kinds(const TWallHttpTaskes& tasks) {
    std::vector<std::string> kinds;
    for (int i = 0; i < tasks.Count(); ++i)
        kinds.push_back(tasks.Get(i)->Kind + tasks.Get(i)->Key);
    return kinds;
}

TEST(TWallHttpTaskes, AddDeleteAndMove) {
    TWallHttpTaskes tasks;
    tasks.Add("I", "1", "a", "u1");
    tasks.Add("T", "2", "b", "u2");
    tasks.AddFirst("F", "3", "c", "u3");
    tasks.Add("DS", "4", "d", "u4");
    const TWallHttpTask* first = tasks.Get(0);
    EXPECT_EQ(first->Kind, "F");
    EXPECT_EQ(first->State, "");
    EXPECT_FALSE(first->Success);
    EXPECT_EQ(first->Worker, nullptr);
    EXPECT_EQ(first->TryCounts, 0);
    EXPECT_EQ(tasks.Get(-1), nullptr);
    EXPECT_EQ(tasks.Get(4), nullptr);

    using Kinds_t = std::vector<std::string>;
    tasks.MoveToEnd(3); // the last: nothing
    tasks.MoveToFront(0);
    tasks.MoveToFront(4);
    tasks.MoveToEnd(-1);
    EXPECT_EQ(Kinds(tasks), (Kinds_t{"F3", "I1", "T2", "DS4"}));
    tasks.MoveToEnd(0);
    EXPECT_EQ(Kinds(tasks), (Kinds_t{"I1", "T2", "DS4", "F3"}));
    tasks.MoveToFront(2);
    EXPECT_EQ(Kinds(tasks), (Kinds_t{"DS4", "I1", "T2", "F3"}));
    tasks.Delete(7);
    tasks.Delete(1);
    EXPECT_EQ(Kinds(tasks), (Kinds_t{"DS4", "T2", "F3"}));
    tasks.Add("DI", "5", "e", "u5");
    tasks.Add("I", "6", "f", "u6");
    tasks.DeleteKinds("T,I");
    EXPECT_EQ(Kinds(tasks), (Kinds_t{"DS4", "F3", "DI5"}));
}

class SchedulerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedServer = strServerURL;
        strServerURL = server.Url();
        settings.connectTimeoutMs = 2000;
        // Resources below /slow/ send a little and then hang, so their transfers keep running.
        server.SetFault("*", {.stallAfter = 10});
    }
    void TearDown() override {
        strServerURL = m_savedServer;
        Closing = false;
    }

    std::string Slow(const std::string& name) {
        server.Put("/slow/" + name, std::string(1000, 's'));
        return server.Url("/slow/" + name);
    }
    std::string Quick(const std::string& name, std::string content) {
        server.Put("/quick/" + name, std::move(content));
        server.SetFault("/quick/" + name, {});
        return server.Url("/quick/" + name);
    }

    // Runs scheduling steps every 10 ms, like the coordinator, until the condition holds.
    bool ScheduleUntil(TWallTaskThread& scheduler, const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            scheduler.Schedule();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    std::size_t Gets() {
        std::size_t n = 0;
        for (const auto& r : server.Requests())
            n += r.method == "GET";
        return n;
    }

    HttpTestServer server;
    TempDir dir;
    std::shared_ptr<FakeOnline> online = std::make_shared<FakeOnline>();
    TransferSettings settings;

private:
    std::string m_savedServer;
};

TEST_F(SchedulerTest, AWorkerDownloadsItsTaskAndIsReused) {
    TWallTaskThread scheduler(online, settings);
    auto& tasks = scheduler.Taskes();
    TWallHttpTask* task = tasks.Add("I", "1.1", dir / "new/wallpaper/a.jpg", Quick("a", "AAAA"));

    scheduler.Schedule();
    EXPECT_EQ(task->State, "create");
    ASSERT_EQ(scheduler.WorkerCount(), 1);
    EXPECT_EQ(task->Worker, scheduler.Worker(0));
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return task->State == "end"; }));
    EXPECT_TRUE(task->Success);
    EXPECT_EQ(task->TryCounts, 1);
    EXPECT_EQ(ReadFile(dir / "new/wallpaper/a.jpg"), "AAAA");

    // A failed attempt reports too; the finished worker takes the next task.
    tasks.Delete(0);
    TWallHttpTask* missing = tasks.Add("I", "1.2", dir / "b.jpg", Quick("b", "") + "-gone");
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return missing->State == "end"; }));
    EXPECT_FALSE(missing->Success);
    EXPECT_EQ(scheduler.WorkerCount(), 1);
}

TEST_F(SchedulerTest, TwoPictureTransfersAndOneUpdateTransferAtATime) {
    TWallTaskThread scheduler(online, settings);
    auto& tasks = scheduler.Taskes();
    for (int i = 0; i < 5; ++i)
        tasks.Add("I", "1." + std::to_string(i), dir / ("i" + std::to_string(i)),
                  Slow("i" + std::to_string(i)));

    scheduler.Schedule();
    EXPECT_EQ(scheduler.WorkerCount(), 2);
    std::vector<std::string> states;
    for (int i = 0; i < tasks.Count(); ++i)
        states.push_back(tasks.Get(i)->State);
    EXPECT_EQ(states, (std::vector<std::string>{"create", "create", "", "", ""}));
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return Gets() == 2; }));
    scheduler.Schedule();
    EXPECT_EQ(scheduler.WorkerCount(), 2);

    // An update file is moved ahead of the pictures and gets the third worker.
    tasks.Add("F", "update.exe", dir / "u.xyz", Slow("u"));
    scheduler.Schedule();
    EXPECT_EQ(tasks.Get(0)->Kind, "F");
    EXPECT_EQ(tasks.Get(0)->State, "create");
    EXPECT_EQ(scheduler.WorkerCount(), 3);
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return Gets() == 3; }));
}

TEST_F(SchedulerTest, UpdateFilesMoveAheadOfPictures) {
    TWallTaskThread scheduler(online, settings);
    auto& tasks = scheduler.Taskes();
    // Tasks that are already handed out need no worker; only their order changes.
    tasks.Add("I", "1", "a", "u");
    tasks.Add("F", "x", "b", "u");
    tasks.Add("T", "2", "c", "u");
    tasks.Add("F", "y", "d", "u");
    for (int i = 0; i < tasks.Count(); ++i)
        tasks.Get(i)->State = "create";
    scheduler.Schedule();
    EXPECT_EQ(Kinds(tasks), (std::vector<std::string>{"Fy", "Fx", "I1", "T2"}));
    EXPECT_EQ(scheduler.WorkerCount(), 0);
}

TEST_F(SchedulerTest, DeleteKindsAbortsRunningPicturesAndKeepsTheOthers) {
    TWallTaskThread scheduler(online, settings);
    auto& tasks = scheduler.Taskes();
    tasks.Add("T", "1", dir / "t", Slow("t"));
    tasks.Add("I", "1.1", dir / "i", Slow("i"));
    tasks.Add("DS", "2", dir / "ds", Slow("ds"));
    tasks.Add("DI", "2.1", dir / "di", Slow("di"));
    tasks.Add("F", "up", dir / "f", Slow("f"));
    scheduler.Schedule();
    ASSERT_EQ(scheduler.WorkerCount(), 3);
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return Gets() == 3; }));

    const auto start = std::chrono::steady_clock::now();
    tasks.DeleteKinds("T,I");
    EXPECT_EQ(Kinds(tasks), (std::vector<std::string>{"Fup", "DS2", "DI2.1"}));
    // The aborted workers come free and take the waiting DS and DI tasks.
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] {
        return tasks.Get(1)->State == "create" && tasks.Get(2)->State == "create";
    }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(scheduler.WorkerCount(), 3);
    EXPECT_FALSE(std::filesystem::exists(dir / "t"));
}

TEST_F(SchedulerTest, DeletingATaskWhoseWorkerMovedOnLeavesTheWorkerAlone) {
    TWallTaskThread scheduler(online, settings);
    auto& tasks = scheduler.Taskes();
    TWallHttpTask* first = tasks.Add("I", "1", dir / "a", Quick("a", "AAAA"));
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return first->State == "end"; }));
    // The coordinator keeps the ended task for later and queues the next one.
    first->State = "end";
    TWallHttpTask* second = tasks.Add("I", "2", dir / "b", Quick("b", "BBBB"));
    scheduler.Schedule();
    ASSERT_EQ(second->State, "create");
    ASSERT_EQ(second->Worker, first->Worker);

    tasks.Delete(0);
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return second->State == "end"; }));
    EXPECT_TRUE(second->Success);
    EXPECT_EQ(ReadFile(dir / "b"), "BBBB");
}

TEST_F(SchedulerTest, OfflineTasksStayHandedOutUntilTheConnectionReturns) {
    strServerURL = "http://pics.example";
    online->connected = false;
    TWallTaskThread scheduler(online, settings);
    TWallHttpTask* task = scheduler.Taskes().Add("I", "1", dir / "a", Quick("a", "AAAA"));
    scheduler.Schedule();
    for (int i = 0; i < 10; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        scheduler.Schedule();
    }
    EXPECT_EQ(task->State, "create");
    EXPECT_EQ(scheduler.Worker(0)->Status(), WorkerStatus::Create);
    EXPECT_TRUE(server.Requests().empty());

    online->connected = true;
    ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return task->State == "end"; }));
    EXPECT_TRUE(task->Success);
}

TEST_F(SchedulerTest, ShutdownStopsWorkersInTheMiddleOfATransfer) {
    const auto start = std::chrono::steady_clock::now();
    {
        TWallTaskThread scheduler(online, settings);
        scheduler.Taskes().Add("I", "1", dir / "a", Slow("a"));
        scheduler.Taskes().Add("I", "2", dir / "b", Slow("b"));
        ASSERT_TRUE(ScheduleUntil(scheduler, [&] { return Gets() == 2; }));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

} // namespace
} // namespace paperkit
