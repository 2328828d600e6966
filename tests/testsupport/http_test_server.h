#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace paperkit::test {

/// One request as the server saw it.
struct RecordedRequest {
    std::string method;
    /// The path as decoded by the server (percent escapes resolved, so GBK bytes stay GBK).
    std::string path;
    /// The request target exactly as sent, escapes included.
    std::string target;
    /// The Range header, empty when none was sent.
    std::string range;
    std::string userAgent;
};

/// Ways the server misbehaves for one path.
struct ServerFault {
    /// Answer with this status (404, 500, ...) instead of the resource.
    int status = 0;
    /// Answer GET and HEAD without Content-Length (a chunked body).
    bool noContentLength = false;
    /// Close the connection after this many body bytes of a GET answer...
    std::optional<std::size_t> cutAfter{};
    /// ...for this many answers (then serve normally); -1 for every answer.
    int cutTimes = 1;
    /// Ignore Range headers and always send the whole resource with 200.
    bool ignoreRange = false;
    /// Wait this long before each answer (HEAD included).
    std::chrono::milliseconds delay{0};
    /// Stop sending after this many body bytes of a GET answer and hang until the server stops.
    std::optional<std::size_t> stallAfter{};
    /// Announce this Content-Length on HEAD answers instead of the resource's.
    std::optional<std::size_t> headLength{};
    /// Answer 302 with this path (or absolute URL) as Location.
    std::string redirectTo{};
};

/// Faults drawn at random for every answer to a path without a fault of its own, as a flaky
/// server or network would give them. The draws are seeded, so a run can be repeated.
struct RandomFaults {
    /// Share of GET answers cut short at a random byte of the body.
    double cutShare = 0;
    /// Share of answers (HEAD and GET) that are a 500.
    double errorShare = 0;
    /// Each answer waits a random time up to this long first.
    std::chrono::milliseconds maxDelay{0};
    unsigned seed = 0;
};

/// A small HTTP server on 127.0.0.1 and a free port, running on its own threads, serving files
/// from an in-memory map and from a folder, with switches for faults. It records every request.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    /// "http://127.0.0.1:PORT" followed by the path.
    std::string Url(const std::string& path = "") const;
    int Port() const;

    /// Serves these bytes at the path (decoded form, starting with "/"). Takes precedence over
    /// the folder.
    void Put(const std::string& path, std::string content);
    /// Serves the files below the folder: "/a/b.jpg" is folder/a/b.jpg.
    void ServeFolder(const std::filesystem::path& folder);
    /// Misbehaves for the path; the path "*" applies to every path without a fault of its own.
    void SetFault(const std::string& path, ServerFault fault);
    void ClearFaults();
    /// Draws faults for every path without a fault of its own; all shares 0 turns this off.
    void SetRandomFaults(RandomFaults faults);
    /// How many answers the random faults cut short, and how many they turned into a 500.
    std::pair<int, int> RandomFaultsGiven() const;
    /// Requests are recorded unless this is off (a long run would hold every one in memory).
    void SetRecording(bool on);

    std::vector<RecordedRequest> Requests() const;
    /// The requests for one path, in order.
    std::vector<RecordedRequest> RequestsFor(const std::string& path) const;
    void ClearRequests();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace paperkit::test
