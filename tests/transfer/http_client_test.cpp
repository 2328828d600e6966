#include "testsupport/http_test_server.h"
#include "transfer/http_client.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

using test::HttpTestServer;
using test::ServerFault;
using Clock = std::chrono::steady_clock;

HttpClientSettings TestSettings() {
    HttpClientSettings s;
    s.userAgent = "PaperKiteTest";
    s.connectTimeoutMs = 2000;
    return s;
}

int StatusOf(const std::function<void()>& request) {
    try {
        request();
    } catch (const HttpError& e) {
        return e.Status();
    }
    return -1;
}

TEST(HttpClient, HeadYieldsTheLengthOrZeroAndFailsWithTheStatus) {
    HttpTestServer server;
    server.Put("/a.bin", std::string(1234, 'a'));
    server.Put("/chunked.bin", "xyz");
    server.SetFault("/chunked.bin", {.noContentLength = true});
    server.SetFault("/broken.bin", {.status = 500});
    HttpClient client(TestSettings());

    EXPECT_EQ(client.Head(server.Url("/a.bin")), 1234);
    EXPECT_EQ(client.Head(server.Url("/chunked.bin")), 0);
    EXPECT_EQ(StatusOf([&] { client.Head(server.Url("/missing")); }), 404);
    EXPECT_EQ(client.Status(), 404);
    EXPECT_EQ(StatusOf([&] { client.Head(server.Url("/broken.bin")); }), 500);

    const auto sent = server.Requests();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].method, "HEAD");
    EXPECT_EQ(sent[0].userAgent, "PaperKiteTest");
}

TEST(HttpClient, AFailedConnectionFailsWithoutStatus) {
    int port = 0;
    {
        HttpTestServer gone;
        port = gone.Port();
    }
    HttpClient client(TestSettings());
    EXPECT_EQ(StatusOf([&] { client.Head("http://127.0.0.1:" + std::to_string(port) + "/x"); }), 0);
}

TEST(HttpClient, GetSendsTheRangeAndFollowsRedirects) {
    HttpTestServer server;
    server.Put("/digits", "0123456789");
    server.SetFault("/old", {.redirectTo = "/digits"});
    HttpClient client(TestSettings());

    std::string whole;
    client.Get(server.Url("/old"), whole);
    EXPECT_EQ(whole, "0123456789");

    std::string part = "ab";
    client.Get(server.Url("/digits"), part, 3, 6);
    EXPECT_EQ(part, "ab3456");
    EXPECT_EQ(client.Status(), 206);
    const auto sent = server.RequestsFor("/digits");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].range, "");
    EXPECT_EQ(sent[1].range, "bytes=3-6");
}

TEST(HttpClient, AFailedGetKeepsTheBytesThatArrived) {
    HttpTestServer server;
    server.Put("/big", std::string(200000, 'b'));
    server.SetFault("/big", {.cutAfter = 70000});
    HttpClient client(TestSettings());
    std::string buffer;
    EXPECT_EQ(StatusOf([&] { client.Get(server.Url("/big"), buffer); }), 200);
    EXPECT_EQ(buffer.size(), 70000u);
}

TEST(HttpClient, DisconnectFromAnotherThreadEndsABlockedRequestPromptly) {
    HttpTestServer server;
    server.Put("/slow", std::string(100000, 's'));
    server.SetFault("/slow", {.stallAfter = 1000});
    HttpClient client(TestSettings());

    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        client.Disconnect();
    });
    const auto start = Clock::now();
    std::string buffer;
    EXPECT_NE(StatusOf([&] { client.Get(server.Url("/slow"), buffer); }), -1);
    other.join();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_EQ(buffer.size(), 1000u);

    // The next request starts afresh.
    server.ClearFaults();
    std::string again;
    client.Get(server.Url("/slow"), again);
    EXPECT_EQ(again.size(), 100000u);
}

TEST(HttpClient, TheReadTimeOutEndsARequestThatGetsNoData) {
    HttpTestServer server;
    server.Put("/slow", std::string(100000, 's'));
    server.SetFault("/slow", {.stallAfter = 0});
    HttpClient client(TestSettings());
    client.SetReadTimeout(1000);
    std::string buffer;
    EXPECT_EQ(StatusOf([&] { client.Get(server.Url("/slow"), buffer); }), 200);
    EXPECT_TRUE(buffer.empty());
}

} // namespace
} // namespace paperkit
