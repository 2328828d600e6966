#include "testsupport/http_test_server.h"
#include "transfer/http_client.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

// Answers each connection with the next of its raw answers, malformed as they may be, then
// closes it; connections after the last answer are closed at once.
class RawAnswerServer {
public:
    explicit RawAnswerServer(std::vector<std::string> answers) : m_answers(std::move(answers)) {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
            ::listen(m_listen, 4) == 0 &&
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
            m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~RawAnswerServer() {
        m_stop = true;
        ::shutdown(m_listen, SHUT_RDWR);
        m_thread.join();
        ::close(m_listen);
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/p.jpg"; }

private:
    void Serve() {
        for (std::size_t next = 0; !m_stop;) {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            const int conn = ::accept(m_listen, nullptr, nullptr);
            if (conn < 0)
                continue;
            // The request head, so that closing does not reset the connection under the client.
            std::string head;
            char buffer[4096];
            while (head.find("\r\n\r\n") == std::string::npos) {
                pollfd in{conn, POLLIN, 0};
                const ssize_t n =
                    ::poll(&in, 1, 1000) == 1 ? ::recv(conn, buffer, sizeof buffer, 0) : 0;
                if (n <= 0)
                    break;
                head.append(buffer, static_cast<std::size_t>(n));
            }
            if (next < m_answers.size()) {
                const std::string& answer = m_answers[next++];
                (void)::send(conn, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
            ::shutdown(conn, SHUT_RDWR);
            ::close(conn);
        }
    }

    std::vector<std::string> m_answers;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Found by the fetch fuzz target: an answer whose first header line is folded (begins with a
// blank), after an earlier answer on the same client, made libcurl read freed memory.
TEST(HttpClient, AFoldedHeaderLineAfterAnEarlierAnswerIsAClearResult) {
    RawAnswerServer server({"HTTP/:\n:\n7\n\n", "HTTP/26\n :\n",
                            "HTTP/1.1 200 OK\r\nX-Cache: hit\r\nContent-Length: 3\r\n\r\n",
                            "HTTP/1.1 200 OK\r\n\tfolded: x\r\nContent-Length: 3\r\n\r\nabc",
                            "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nxyz"});
    HttpClient client(TestSettings());
    client.SetReadTimeout(2000);
    for (int i = 0; i < 2; ++i) {
        std::string body;
        try {
            (void)client.Head(server.Url());
        } catch (const HttpError&) {
        }
        try {
            client.Get(server.Url(), body);
        } catch (const HttpError&) {
        }
    }
    std::string body;
    client.Get(server.Url(), body);
    EXPECT_EQ(body, "xyz");
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
