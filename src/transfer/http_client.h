#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace paperkit {

/// A request that failed: no connection, a time-out, a cancelled transfer, a body the receiver
/// refused, or an answer with a status of 400 or above. `Status` is the HTTP status of the answer,
/// 0 when none arrived.
class HttpError : public std::runtime_error {
public:
    HttpError(int status, const std::string& what) : std::runtime_error(what), m_status(status) {}
    int Status() const { return m_status; }

private:
    int m_status;
};

/// Receives the body of one GET as it arrives.
class BodySink {
public:
    virtual ~BodySink() = default;
    /// Called once the final answer's headers are in, before any body byte: `offset` is the
    /// resource position of the body's first byte (0 for a whole answer, the start of its
    /// Content-Range for a partial one). False refuses the body and fails the request.
    virtual bool Start(std::uint64_t offset) = 0;
    /// The next bytes of the body; false ends the request with a failure.
    virtual bool Write(std::string_view bytes) = 0;
};

struct HttpClientSettings {
    std::string userAgent;
    long connectTimeoutMs = 30000;
    long readTimeoutMs = 300000;
};

/// A blocking HTTP client for one thread. Every request uses a fresh connection that is closed
/// afterwards, follows redirects and honours the proxy environment variables. `Disconnect` is the
/// only member that may be called from another thread.
class HttpClient {
public:
    explicit HttpClient(HttpClientSettings settings);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    /// The longest wait for data in the next requests; whole seconds, at least one.
    void SetReadTimeout(long milliseconds);
    /// Extra condition checked while a request runs (about once a second, and with every block of
    /// data); when it returns true the request fails. Set before requests, from the owning thread.
    void SetCancelCheck(std::function<bool()> check);

    /// The Content-Length of the answer to a HEAD request, 0 when the answer has none.
    /// Throws HttpError.
    std::int64_t Head(const std::string& url);
    /// GET into the sink; the range is sent as "bytes=start-end" when start or end is not 0.
    /// Throws HttpError.
    void Get(const std::string& url, BodySink& sink, std::uint64_t start = 0,
             std::uint64_t end = 0);
    /// GET appending the body to the buffer, which keeps what arrived when the request fails.
    /// Throws HttpError.
    void Get(const std::string& url, std::string& buffer, std::uint64_t start = 0,
             std::uint64_t end = 0);

    /// The HTTP status of the last answer, 0 when none arrived.
    int Status() const { return m_status; }

    /// Makes the request in progress fail at once (within about a second). Safe from any thread;
    /// the next request of the owning thread starts afresh.
    void Disconnect() { m_disconnect.store(true); }

private:
    struct Transfer;
    void Perform(const std::string& url, bool head, BodySink* sink, std::uint64_t start,
                 std::uint64_t end);

    HttpClientSettings m_settings;
    void* m_curl = nullptr;
    std::function<bool()> m_cancelCheck;
    std::atomic<bool> m_disconnect{false};
    int m_status = 0;
};

} // namespace paperkit
