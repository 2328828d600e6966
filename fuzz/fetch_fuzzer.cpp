// A fetch against a loopback stand-in whose answers are the fuzz input: one raw HTTP answer per
// connection, in order, the answers separated by "\n@@\n". Statuses, Content-Length,
// Content-Range, bodies shorter or longer than announced and redirects all come from the input.
// Whatever the answers, the fetch ends, and leaves either the complete target or nothing.
#include "fuzz_support.h"
#include "transfer/fetch.h"

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace paperkit;
namespace fs = std::filesystem;

namespace {

class AnswerServer {
public:
    AnswerServer() {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        const int one = 1;
        ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(m_listen, 16) != 0)
            fuzz::Fail("no loopback socket");
        socklen_t len = sizeof addr;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
        m_thread.detach();
    }

    int Port() const { return m_port; }

    void SetAnswers(std::vector<std::string> answers) {
        std::lock_guard lock(m_mutex);
        m_answers = std::move(answers);
        m_next = 0;
        m_exhausted = false;
    }

    /// A connection found no answer left: the fetch has seen all the input has to say.
    bool Exhausted() const { return m_exhausted.load(); }

private:
    void Serve() {
        for (;;) {
            const int conn = ::accept(m_listen, nullptr, nullptr);
            if (conn < 0)
                continue;
            ReadRequest(conn);
            std::string answer;
            {
                std::lock_guard lock(m_mutex);
                if (m_next < m_answers.size())
                    answer = m_answers[m_next++];
                else
                    m_exhausted = true;
            }
            for (std::size_t sent = 0; sent < answer.size();) {
                const ssize_t n =
                    ::send(conn, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += static_cast<std::size_t>(n);
            }
            ::shutdown(conn, SHUT_RDWR);
            ::close(conn);
        }
    }

    // Reads the request head, so that closing does not reset the connection under the client.
    static void ReadRequest(int conn) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
            pollfd p{conn, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                return;
            const ssize_t n = ::recv(conn, buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            head.append(buffer, static_cast<std::size_t>(n));
        }
    }

    int m_listen = -1;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_answers;
    std::size_t m_next = 0;
    std::atomic<bool> m_exhausted{false};
};

std::vector<std::string> SplitAnswers(std::string_view input) {
    constexpr std::string_view separator = "\n@@\n";
    std::vector<std::string> answers;
    for (;;) {
        const std::size_t at = input.find(separator);
        answers.emplace_back(input.substr(0, at));
        if (at == std::string_view::npos)
            return answers;
        input.remove_prefix(at + separator.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static AnswerServer server;
    static const fs::path target = fuzz::Scratch() / "files" / "picture.jpg";
    static const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/p.jpg";
    // No proxy may stand between the client and the stand-in.
    static const bool noProxy = [] {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        return true;
    }();
    (void)noProxy;

    const std::string_view input = fuzz::AsText(data, size);
    server.SetAnswers(SplitAnswers(input));
    TransferSettings settings;
    settings.connectTimeoutMs = 1000;
    settings.headReadTimeoutMs = 1000;
    settings.headAttempts = 3;
    settings.getReadTimeoutMs = 1000;
    HttpClient client(ClientSettingsFor(settings));
    FetchHooks hooks;
    // Once the input is used up every further attempt would fail alike; end there.
    hooks.stop = [] { return server.Exhausted(); };
    const bool fetched = FetchResource(client, url, target, FetchVoice::Worker, settings, hooks);

    if (fetched != fs::exists(target))
        fuzz::Fail("the result does not match the target on disk");
    if (fs::exists(fs::path(target.string() + ".part")))
        fuzz::Fail("a part file was left behind");
    fuzz::Clear(target.parent_path());
    return 0;
}
