#include "testsupport/http_test_server.h"

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <httplib.h>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

namespace paperkit::test {

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

struct HttpTestServer::Impl {
    httplib::Server server;
    std::thread thread;
    int port = 0;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    std::map<std::string, std::shared_ptr<const std::string>> files;
    std::filesystem::path folder;
    std::map<std::string, ServerFault> faults;
    std::map<std::string, int> cutsDone;
    std::vector<RecordedRequest> requests;
    bool recording = true;
    RandomFaults random;
    std::mt19937 draws;
    int randomCuts = 0;
    int randomErrors = 0;

    // Waits up to the duration; false when the server is stopping.
    bool Sleep(std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex);
        return !stopped.wait_for(lock, duration, [&] { return stopping; });
    }

    void Hang() {
        std::unique_lock lock(mutex);
        stopped.wait(lock, [&] { return stopping; });
    }

    std::shared_ptr<const std::string> Find(const std::string& path) {
        {
            std::lock_guard lock(mutex);
            if (auto it = files.find(path); it != files.end())
                return it->second;
            if (folder.empty())
                return nullptr;
        }
        const std::filesystem::path rel = std::filesystem::path(path).relative_path();
        for (const auto& part : rel)
            if (part == "..")
                return nullptr;
        std::ifstream in(folder / rel, std::ios::binary);
        if (!in)
            return nullptr;
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return std::make_shared<const std::string>(bytes.str());
    }

    void Handle(const httplib::Request& req, httplib::Response& res) {
        ServerFault fault;
        bool cut = false;
        // A random cut's place as a share of the body, drawn with the other faults.
        std::optional<double> randomCut;
        {
            std::lock_guard lock(mutex);
            if (recording)
                requests.push_back({req.method, req.path, req.target, req.get_header_value("Range"),
                                    req.get_header_value("User-Agent")});
            auto it = faults.find(req.path);
            if (it == faults.end())
                it = faults.find("*");
            if (it == faults.end() &&
                (random.cutShare > 0 || random.errorShare > 0 || random.maxDelay.count() > 0)) {
                std::uniform_real_distribution<double> share(0, 1);
                const double draw = share(draws);
                if (draw < random.errorShare) {
                    fault.status = 500;
                    ++randomErrors;
                } else if (req.method == "GET" && draw < random.errorShare + random.cutShare) {
                    randomCut = share(draws);
                    ++randomCuts;
                }
                fault.delay = std::chrono::milliseconds(std::uniform_int_distribution<long>(
                    0, static_cast<long>(random.maxDelay.count()))(draws));
            } else if (it != faults.end()) {
                fault = it->second;
                if (fault.cutAfter && req.method == "GET") {
                    int& done = cutsDone[it->first];
                    cut = fault.cutTimes < 0 || done < fault.cutTimes;
                    if (cut)
                        ++done;
                }
            }
        }
        if (fault.delay.count() > 0 && !Sleep(fault.delay)) {
            res.status = 503;
            return;
        }
        if (!fault.redirectTo.empty()) {
            res.set_redirect(fault.redirectTo);
            return;
        }
        if (fault.status != 0) {
            res.status = fault.status;
            return;
        }
        auto content = Find(req.path);
        if (!content) {
            res.status = 404;
            return;
        }
        if (req.method == "HEAD" && fault.headLength) {
            // HEAD answers never call the provider.
            res.set_content_provider(
                *fault.headLength, "application/octet-stream",
                [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            return;
        }

        // Ranges are answered here rather than by the library, which loops on a range that ends
        // past the resource; a range end past the end is clamped as file servers do.
        auto& ranges = const_cast<httplib::Request&>(req).ranges;
        const std::size_t size = content->size();
        std::size_t first = 0;
        std::size_t count = size;
        if (!fault.ignoreRange && !fault.noContentLength && ranges.size() == 1) {
            const auto [a, b] = ranges[0];
            if (a < 0) {
                count = std::min(static_cast<std::size_t>(b), size);
                first = size - count;
            } else if (static_cast<std::size_t>(a) >= size) {
                ranges.clear();
                res.status = 416;
                res.set_header("Content-Range", "bytes */" + std::to_string(size));
                return;
            } else {
                first = static_cast<std::size_t>(a);
                const std::size_t last =
                    b < 0 ? size - 1 : std::min(static_cast<std::size_t>(b), size - 1);
                count = last - first + 1;
            }
            res.status = 206;
            res.set_header("Content-Range", "bytes " + std::to_string(first) + "-" +
                                                std::to_string(first + count - 1) + "/" +
                                                std::to_string(size));
        }
        ranges.clear();

        if (randomCut) {
            cut = true;
            fault.cutAfter = static_cast<std::size_t>(*randomCut * static_cast<double>(count));
        }
        const std::size_t limit = cut ? *fault.cutAfter : fault.stallAfter.value_or(SIZE_MAX);
        const bool stall = !cut && fault.stallAfter.has_value();
        auto sent = std::make_shared<std::size_t>(0);
        // Writes [offset, offset + length) of the answer's bytes, breaking off at the limit.
        auto provide = [this, content, first, count, limit, stall,
                        sent](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            const std::size_t end = std::min(offset + length, count);
            for (std::size_t pos = offset; pos < end;) {
                if (*sent >= limit) {
                    if (stall)
                        Hang();
                    return false;
                }
                const std::size_t n = std::min({kChunk, end - pos, limit - *sent});
                if (!sink.write(content->data() + first + pos, n))
                    return false;
                pos += n;
                *sent += n;
            }
            return end > offset;
        };
        if (fault.noContentLength) {
            res.set_chunked_content_provider(
                "application/octet-stream",
                [count, provide](std::size_t offset, httplib::DataSink& sink) {
                    if (offset >= count) {
                        sink.done();
                        return true;
                    }
                    return provide(offset, count - offset, sink);
                });
            return;
        }
        res.set_content_provider(count, "application/octet-stream", provide);
    }
};

HttpTestServer::HttpTestServer() : m_impl(std::make_unique<Impl>()) {
    m_impl->server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
        m_impl->Handle(req, res);
    });
    m_impl->port = m_impl->server.bind_to_any_port("127.0.0.1");
    m_impl->thread = std::thread([this] { m_impl->server.listen_after_bind(); });
    while (!m_impl->server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HttpTestServer::~HttpTestServer() {
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stopping = true;
    }
    m_impl->stopped.notify_all();
    m_impl->server.stop();
    if (m_impl->thread.joinable())
        m_impl->thread.join();
}

std::string HttpTestServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_impl->port) + path;
}

int HttpTestServer::Port() const {
    return m_impl->port;
}

void HttpTestServer::Put(const std::string& path, std::string content) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->files[path] = std::make_shared<const std::string>(std::move(content));
}

void HttpTestServer::ServeFolder(const std::filesystem::path& folder) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->folder = folder;
}

void HttpTestServer::SetFault(const std::string& path, ServerFault fault) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->faults[path] = std::move(fault);
    m_impl->cutsDone.erase(path);
}

void HttpTestServer::SetRandomFaults(RandomFaults faults) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->random = faults;
    m_impl->draws.seed(faults.seed);
}

std::pair<int, int> HttpTestServer::RandomFaultsGiven() const {
    std::lock_guard lock(m_impl->mutex);
    return {m_impl->randomCuts, m_impl->randomErrors};
}

void HttpTestServer::SetRecording(bool on) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->recording = on;
}

void HttpTestServer::ClearFaults() {
    std::lock_guard lock(m_impl->mutex);
    m_impl->faults.clear();
    m_impl->cutsDone.clear();
}

std::vector<RecordedRequest> HttpTestServer::Requests() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->requests;
}

std::vector<RecordedRequest> HttpTestServer::RequestsFor(const std::string& path) const {
    std::lock_guard lock(m_impl->mutex);
    std::vector<RecordedRequest> out;
    for (const auto& r : m_impl->requests)
        if (r.path == path)
            out.push_back(r);
    return out;
}

void HttpTestServer::ClearRequests() {
    std::lock_guard lock(m_impl->mutex);
    m_impl->requests.clear();
}

} // namespace paperkit::test
