#include "platform/single_instance.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using paperkit::CreateSingleInstance;
using paperkit::SingleInstance;
using paperkit::test::TempDir;
using Result = SingleInstance::ListenResult;

namespace {

struct Inbox {
    std::mutex mutex;
    std::vector<std::string> messages;
    void operator()(const std::string& m) {
        std::lock_guard lock(mutex);
        messages.push_back(m);
    }
};

/// The path our channel for the data folder listens on, found by listening once.
std::string SocketPathFor(const std::filesystem::path& data) {
    auto probe = CreateSingleInstance(data);
    if (probe->Listen([](const std::string&) {}) != Result::Listening)
        return {};
    for (const auto& e : std::filesystem::directory_iterator(std::getenv("XDG_RUNTIME_DIR")))
        if (e.path().extension() == ".sock" && std::filesystem::is_socket(e.path()))
            return e.path();
    return {};
}

} // namespace

TEST(SingleInstance, SecondStartHandsItsMessageToTheFirst) {
    TempDir data;
    Inbox inbox;
    auto first = CreateSingleInstance(data.path());
    ASSERT_EQ(first->Listen([&](const std::string& m) { inbox(m); }), Result::Listening);

    auto second = CreateSingleInstance(data.path());
    EXPECT_EQ(second->Listen([](const std::string&) {}), Result::OtherInstance);
    EXPECT_TRUE(second->Send("1114"));
    EXPECT_TRUE(second->Send("line one\r\nline two"));
    std::lock_guard lock(inbox.mutex);
    EXPECT_EQ(inbox.messages, (std::vector<std::string>{"1114", "line one\r\nline two"}));
}

TEST(SingleInstance, OtherDataFoldersAreOtherInstances) {
    TempDir a, b;
    auto first = CreateSingleInstance(a.path());
    ASSERT_EQ(first->Listen([](const std::string&) {}), Result::Listening);
    auto other = CreateSingleInstance(b.path());
    EXPECT_FALSE(other->Send("x"));
    EXPECT_EQ(other->Listen([](const std::string&) {}), Result::Listening);
}

TEST(SingleInstance, NothingAnswersAfterTheInstanceEnds) {
    TempDir data;
    {
        auto first = CreateSingleInstance(data.path());
        ASSERT_EQ(first->Listen([](const std::string&) {}), Result::Listening);
    }
    auto later = CreateSingleInstance(data.path());
    EXPECT_FALSE(later->Send("x"));
    EXPECT_EQ(later->Listen([](const std::string&) {}), Result::Listening);
}

TEST(SingleInstance, AStaleSocketOfAKilledInstanceDoesNotBlock) {
    TempDir data;
    // A killed instance leaves its bound socket file behind with nobody listening.
    auto probe = CreateSingleInstance(data.path());
    ASSERT_EQ(probe->Listen([](const std::string&) {}), Result::Listening);
    std::string socketPath;
    for (const auto& e : std::filesystem::directory_iterator(std::getenv("XDG_RUNTIME_DIR")))
        if (e.path().extension() == ".sock")
            socketPath = e.path();
    ASSERT_FALSE(socketPath.empty());
    probe.reset();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socketPath.c_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd); // the file stays, nothing listens

    Inbox inbox;
    auto next = CreateSingleInstance(data.path());
    ASSERT_EQ(next->Listen([&](const std::string& m) { inbox(m); }), Result::Listening);
    EXPECT_TRUE(CreateSingleInstance(data.path())->Send("hello"));
    std::lock_guard lock(inbox.mutex);
    EXPECT_EQ(inbox.messages, std::vector<std::string>{"hello"});
}

TEST(SingleInstance, StartsAtTheSameMomentMakeOneInstance) {
    for (int round = 0; round < 20; ++round) {
        TempDir data;
        constexpr int kStarts = 4;
        std::vector<std::unique_ptr<SingleInstance>> starts;
        for (int i = 0; i < kStarts; ++i)
            starts.push_back(CreateSingleInstance(data.path()));
        std::vector<Result> results(kStarts);
        std::atomic<int> ready{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < kStarts; ++i) {
            threads.emplace_back([&, i] {
                ++ready;
                while (ready.load() < kStarts) {
                }
                results[i] = starts[i]->Listen([](const std::string&) {});
            });
        }
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(std::count(results.begin(), results.end(), Result::Listening), 1) << round;
        EXPECT_EQ(std::count(results.begin(), results.end(), Result::OtherInstance), kStarts - 1)
            << round;
    }
}

TEST(SingleInstance, AnUnusableSocketFolderIsAFailureThatSaysWhy) {
    TempDir data;
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    setenv("XDG_RUNTIME_DIR", (data / "no such folder").c_str(), 1);
    auto start = CreateSingleInstance(data.path());
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(start->Listen([](const std::string&) {}), Result::Failed);
    EXPECT_NE(start->FailureReason().find("no such folder"), std::string::npos)
        << start->FailureReason();
    EXPECT_FALSE(start->Send("x"));
}

TEST(SingleInstance, AnotherUsersSocketAtOurNameIsNeverHandedAnything) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to listen as another user";
    TempDir data;
    const std::string path = SocketPathFor(data.path());
    ASSERT_FALSE(path.empty());

    // A process of another user listens at our name and reports what reaches it.
    int ready[2], report[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(report), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        close(report[0]);
        close(release[1]);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path.c_str());
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            setgid(65534) != 0 || setuid(65534) != 0 || listen(fd, 8) != 0)
            _exit(1);
        [[maybe_unused]] ssize_t n = write(ready[1], "r", 1);
        fcntl(fd, F_SETFL, O_NONBLOCK);
        char byte;
        while (read(release[0], &byte, 1) > 0) {
        }
        // Everything that was sent before the release is waiting in the backlog.
        char received = '0';
        for (int client; (client = accept(fd, nullptr, nullptr)) >= 0; close(client)) {
            char buffer[256];
            if (read(client, buffer, sizeof buffer) > 0)
                received = '1';
        }
        n = write(report[1], &received, 1);
        _exit(0);
    }
    close(ready[1]);
    close(report[1]);
    close(release[0]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);

    auto start = CreateSingleInstance(data.path());
    EXPECT_EQ(start->Listen([](const std::string&) {}), Result::Failed);
    EXPECT_NE(start->FailureReason().find("another user"), std::string::npos)
        << start->FailureReason();
    EXPECT_FALSE(start->Send("1114"));
    EXPECT_TRUE(std::filesystem::is_socket(path)); // left to its owner

    close(release[1]);
    char received = 0;
    EXPECT_EQ(read(report[0], &received, 1), 1);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(received, '0') << "bytes reached another user's socket";
    close(ready[0]);
    close(report[0]);
    unlink(path.c_str());
}
