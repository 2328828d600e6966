#include "platform/online_state.h"
#include "support/gbk.h"
#include "support/globals.h"
#include "testsupport/fake_online_state.h"
#include "testsupport/http_test_server.h"
#include "testsupport/temp_dir.h"
#include "transfer/fetch.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::FakeOnline;
using test::HttpTestServer;
using test::ReadFile;
using test::ServerFault;
using test::TempDir;

/// Part files left beside the target.
int PartFilesBeside(const fs::path& target) {
    int count = 0;
    std::error_code ec;
    for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; ++it)
        count += it->path().extension() == ".part" ? 1 : 0;
    return count;
}

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

class FetchTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedServer = strServerURL;
        strServerURL = server.Url();
        settings.connectTimeoutMs = 2000;
    }
    void TearDown() override {
        strServerURL = m_savedServer;
        DebugMode = false;
        Closing = false;
    }

    Fetcher MakeFetcher() { return Fetcher(online, settings); }

    HttpTestServer server;
    TempDir dir;
    std::shared_ptr<FakeOnline> online = std::make_shared<FakeOnline>();
    TransferSettings settings;

private:
    std::string m_savedServer;
};

TEST_F(FetchTest, FetchesWithHeadThenARangedGet) {
    const std::string content = Pattern(5000);
    server.Put("/wallfiles/a.jpg", content);
    const fs::path target = dir / "new/wallpaper/a.jpg";

    EXPECT_TRUE(MakeFetcher().FetchToFile(server.Url("/wallfiles/a.jpg"), target));
    EXPECT_TRUE(ReadFile(target) == content);
    EXPECT_EQ(PartFilesBeside(target), 0);
    const auto sent = server.Requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].method, "HEAD");
    EXPECT_EQ(sent[1].method, "GET");
    EXPECT_EQ(sent[1].range, "bytes=0-5000");
    EXPECT_EQ(sent[1].userAgent, "PaperKite" + strFileVersion);
}

TEST_F(FetchTest, ABrokenTransferResumesFromTheBytesReceived) {
    const std::string content = Pattern(300000);
    server.Put("/big.jpg", content);
    server.SetFault("/big.jpg", {.cutAfter = 100000, .cutTimes = 2});
    const fs::path target = dir / "big.jpg";

    EXPECT_TRUE(MakeFetcher().FetchToFile(server.Url("/big.jpg"), target));
    EXPECT_TRUE(ReadFile(target) == content);
    const auto gets = server.RequestsFor("/big.jpg");
    ASSERT_EQ(gets.size(), 4u);
    EXPECT_EQ(gets[1].range, "bytes=0-300000");
    EXPECT_EQ(gets[2].range, "bytes=100000-300000");
    EXPECT_EQ(gets[3].range, "bytes=200000-300000");
}

TEST_F(FetchTest, AResumeAnsweredWithTheWholeResourceIsNotAppended) {
    const std::string content = Pattern(200000);
    server.Put("/norange.jpg", content);
    server.SetFault("/norange.jpg", {.cutAfter = 70000, .ignoreRange = true});
    const fs::path target = dir / "norange.jpg";

    EXPECT_TRUE(MakeFetcher().FetchToFile(server.Url("/norange.jpg"), target));
    EXPECT_TRUE(ReadFile(target) == content);
}

TEST_F(FetchTest, NoUsableLengthMeansNoGet) {
    server.Put("/nolength.jpg", "abc");
    server.SetFault("/nolength.jpg", {.noContentLength = true});
    server.SetFault("/error.jpg", {.status = 500});
    server.Put("/huge.jpg", "abc");
    server.SetFault("/huge.jpg", {.headLength = MaxResourceBytes + 1});
    settings.headAttempts = 3;
    Fetcher fetcher = MakeFetcher();

    struct Case {
        const char* path;
        std::size_t heads;
    };
    // A 404 is asked once; other failures up to the attempt limit; a length is asked once.
    for (const Case c : {Case{"/missing.jpg", 1}, Case{"/nolength.jpg", 1}, Case{"/error.jpg", 3},
                         Case{"/huge.jpg", 1}}) {
        EXPECT_FALSE(fetcher.FetchToFile(server.Url(c.path), dir / "x.jpg")) << c.path;
        const auto sent = server.RequestsFor(c.path);
        EXPECT_EQ(sent.size(), c.heads) << c.path;
        for (const auto& r : sent)
            EXPECT_EQ(r.method, "HEAD") << c.path;
    }
    EXPECT_FALSE(fs::exists(dir / "x.jpg"));
}

TEST_F(FetchTest, TheHeadPhaseMakesElevenAttemptsByDefault) {
    server.SetFault("/error.jpg", {.status = 503});
    EXPECT_FALSE(MakeFetcher().FetchToFile(server.Url("/error.jpg"), dir / "x.jpg"));
    EXPECT_EQ(server.RequestsFor("/error.jpg").size(), 11u);
}

TEST_F(FetchTest, AFailedFetchKeepsTheOldTargetAndLeavesNoPartFile) {
    server.Put("/cut.jpg", Pattern(1000));
    server.SetFault("/cut.jpg", {.cutAfter = 50, .cutTimes = -1});
    const fs::path target = dir / "cut.jpg";
    test::WriteFile(target, "old picture");

    EXPECT_FALSE(MakeFetcher().FetchToFile(server.Url("/cut.jpg"), target));
    EXPECT_EQ(ReadFile(target), "old picture");
    EXPECT_EQ(PartFilesBeside(target), 0);
    // One first GET and ten resumes, each from the bytes held so far.
    const auto sent = server.RequestsFor("/cut.jpg");
    ASSERT_EQ(sent.size(), 12u);
    EXPECT_EQ(sent[2].range, "bytes=50-1000");
    EXPECT_EQ(sent[11].range, "bytes=500-1000");
}

TEST_F(FetchTest, MoreBytesThanAnnouncedEndTheFetch) {
    server.Put("/liar.jpg", Pattern(50000));
    server.SetFault("/liar.jpg", {.ignoreRange = true, .headLength = 1000});
    const fs::path target = dir / "liar.jpg";

    EXPECT_FALSE(MakeFetcher().FetchToFile(server.Url("/liar.jpg"), target));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(PartFilesBeside(target), 0);
    EXPECT_EQ(server.RequestsFor("/liar.jpg").size(), 2u);
}

TEST_F(FetchTest, AnUnwritableTargetFails) {
    server.Put("/a.jpg", "abc");
    test::WriteFile(dir / "file", "not a folder");
    EXPECT_FALSE(MakeFetcher().FetchToFile(server.Url("/a.jpg"), dir / "file/a.jpg"));
    EXPECT_EQ(ReadFile(dir / "file"), "not a folder");
}

TEST_F(FetchTest, EncodedNamesReachTheServerAsGbk) {
    const std::string gbkPath = Utf8ToGbk("/wallfiles/春 天/图.jpg");
    server.Put(gbkPath, "picture");
    const std::string url = server.Url("/wallfiles/%B4%BA%20%CC%EC/%CD%BC.jpg");
    EXPECT_TRUE(MakeFetcher().FetchToFile(url, dir / "p.jpg"));
    EXPECT_EQ(ReadFile(dir / "p.jpg"), "picture");
    EXPECT_EQ(server.Requests().back().target, "/wallfiles/%B4%BA%20%CC%EC/%CD%BC.jpg");
}

TEST_F(FetchTest, OfflineMakesNoRequestUnlessInDebugModeOrOnALoopbackServer) {
    server.Put("/a.jpg", "abc");
    online->connected = false;
    strServerURL = "http://pics.example";
    EXPECT_FALSE(MakeFetcher().FetchToFile(server.Url("/a.jpg"), dir / "a.jpg"));
    EXPECT_TRUE(server.Requests().empty());

    DebugMode = true;
    EXPECT_TRUE(MakeFetcher().FetchToFile(server.Url("/a.jpg"), dir / "a.jpg"));
    DebugMode = false;
    strServerURL = server.Url();
    EXPECT_TRUE(MakeFetcher().FetchToFile(server.Url("/a.jpg"), dir / "b.jpg"));
}

TEST_F(FetchTest, ShutdownEndsABlockedFetchPromptly) {
    server.Put("/slow.jpg", Pattern(100000));
    server.SetFault("/slow.jpg", {.stallAfter = 5000});
    Fetcher fetcher = MakeFetcher();
    std::thread shutdown([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Closing = true;
        fetcher.Disconnect();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(fetcher.FetchToFile(server.Url("/slow.jpg"), dir / "slow.jpg"));
    shutdown.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_EQ(server.RequestsFor("/slow.jpg").size(), 2u);
}

} // namespace
} // namespace paperkit
