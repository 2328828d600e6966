#include "platform/single_instance.h"
#include "testsupport/temp_dir.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using paperkit::CreateSingleInstance;
using paperkit::test::TempDir;

namespace {

struct Inbox {
    std::mutex mutex;
    std::vector<std::string> messages;
    void operator()(const std::string& m) {
        std::lock_guard lock(mutex);
        messages.push_back(m);
    }
};

} // namespace

TEST(SingleInstance, SecondStartHandsItsMessageToTheFirst) {
    TempDir data;
    Inbox inbox;
    auto first = CreateSingleInstance(data.path());
    ASSERT_TRUE(first->Listen([&](const std::string& m) { inbox(m); }));

    auto second = CreateSingleInstance(data.path());
    EXPECT_FALSE(second->Listen([](const std::string&) {}));
    EXPECT_TRUE(second->Send("1114"));
    EXPECT_TRUE(second->Send("line one\r\nline two"));
    std::lock_guard lock(inbox.mutex);
    EXPECT_EQ(inbox.messages, (std::vector<std::string>{"1114", "line one\r\nline two"}));
}

TEST(SingleInstance, OtherDataFoldersAreOtherInstances) {
    TempDir a, b;
    auto first = CreateSingleInstance(a.path());
    ASSERT_TRUE(first->Listen([](const std::string&) {}));
    auto other = CreateSingleInstance(b.path());
    EXPECT_FALSE(other->Send("x"));
    EXPECT_TRUE(other->Listen([](const std::string&) {}));
}

TEST(SingleInstance, NothingAnswersAfterTheInstanceEnds) {
    TempDir data;
    {
        auto first = CreateSingleInstance(data.path());
        ASSERT_TRUE(first->Listen([](const std::string&) {}));
    }
    auto later = CreateSingleInstance(data.path());
    EXPECT_FALSE(later->Send("x"));
    EXPECT_TRUE(later->Listen([](const std::string&) {}));
}

TEST(SingleInstance, AStaleSocketOfAKilledInstanceDoesNotBlock) {
    TempDir data;
    // A killed instance leaves its bound socket file behind with nobody listening.
    auto probe = CreateSingleInstance(data.path());
    ASSERT_TRUE(probe->Listen([](const std::string&) {}));
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
    ASSERT_TRUE(next->Listen([&](const std::string& m) { inbox(m); }));
    EXPECT_TRUE(CreateSingleInstance(data.path())->Send("hello"));
    std::lock_guard lock(inbox.mutex);
    EXPECT_EQ(inbox.messages, std::vector<std::string>{"hello"});
}
