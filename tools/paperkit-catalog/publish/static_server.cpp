#include "publish/static_server.h"

#include "publish/catalog_layout.h"
#include "publish/file_write.h"
#include "publish/text_file.h"

#include <chrono>
#include <httplib.h>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

bool IsWithin(const fs::path& file, const fs::path& root) {
    auto fi = file.begin();
    for (auto ri = root.begin(); ri != root.end(); ++ri, ++fi) {
        if (ri->empty())
            continue;
        if (fi == file.end() || *fi != *ri)
            return false;
    }
    return true;
}

const char* ContentType(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".jpg" || ext == ".jpeg")
        return "image/jpeg";
    if (ext == ".png")
        return "image/png";
    if (ext == ".txt")
        return "text/plain; charset=utf-8";
    if (ext == ".html" || ext == ".htm")
        return "text/html; charset=utf-8";
    return "application/octet-stream";
}

} // namespace

ServedPath ResolveRequestPath(const fs::path& root, std::string_view decodedPath) {
    const std::string path = AsUtf8(decodedPath);
    const std::optional<fs::path> file = ServedFile(root, path);
    if (!file)
        return {path.find("..") != std::string::npos ? 403 : 404, {}};
    std::error_code ec;
    const fs::path realRoot = fs::canonical(root, ec);
    if (ec)
        return {404, {}};
    const fs::path real = fs::canonical(*file, ec);
    if (ec)
        return {404, {}};
    if (!IsWithin(real, realRoot))
        return {403, {}};
    if (!fs::is_regular_file(real, ec))
        return {404, {}};
    return {200, real};
}

StaticServer::StaticServer(fs::path root, std::function<void(const std::string&)> log)
    : m_root(std::move(root)), m_log(std::move(log)) {}

StaticServer::~StaticServer() {
    Stop();
}

int StaticServer::Start(const std::string& host, int port) {
    Stop();
    m_server = std::make_unique<httplib::Server>();
    const fs::path root = m_root;
    m_server->Get(R"(/.*)", [root](const httplib::Request& req, httplib::Response& res) {
        const ServedPath served = ResolveRequestPath(root, req.path);
        std::string bytes;
        if (served.Status != 200 || !ReadWholeFile(served.File, bytes)) {
            res.status = served.Status == 200 ? 404 : served.Status;
            res.set_content(res.status == 403 ? "Forbidden\n" : "Not Found\n", "text/plain");
            return;
        }
        res.set_content(std::move(bytes), ContentType(served.File));
    });
    if (m_log) {
        m_server->set_logger(
            [log = m_log](const httplib::Request& req, const httplib::Response& res) {
                log(req.remote_addr + " " + req.method + " " + req.target + " " +
                    std::to_string(res.status) + " " +
                    (res.has_header("Content-Length") ? res.get_header_value("Content-Length")
                                                      : std::to_string(res.body.size())));
            });
    }
    const int bound = port == 0 ? m_server->bind_to_any_port(host)
                                : (m_server->bind_to_port(host, port) ? port : -1);
    if (bound < 0) {
        m_server.reset();
        return -1;
    }
    m_url = "http://" + (host.find(':') != std::string::npos ? "[" + host + "]" : host) + ":" +
            std::to_string(bound);
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    // stop() only reaches a server that has begun to listen.
    for (int i = 0; i < 5000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return bound;
}

void StaticServer::Stop() {
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}

} // namespace paperkit
