#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace paperkit {

/// Serves the files of one folder over plain HTTP: GET and HEAD (with Content-Length), single
/// byte ranges, 404 for what is not there, 403 for what lies outside the folder (".." parts,
/// symbolic links leading out). Paths are percent-decoded; one whose bytes are not UTF-8 is read
/// as GBK, as the program encodes its requests.
class StaticServer {
public:
    /// `log` receives one line per request; it may be called from the server's threads.
    explicit StaticServer(std::filesystem::path root,
                          std::function<void(const std::string&)> log = {});
    ~StaticServer();
    StaticServer(const StaticServer&) = delete;
    StaticServer& operator=(const StaticServer&) = delete;

    /// Binds the address and port (0: any free port) and serves on a thread of its own. Returns
    /// the port, or -1 when it cannot bind.
    int Start(const std::string& host, int port);

    /// Stops serving and waits for the server's thread.
    void Stop();

    /// The server root's URL, "http://HOST:PORT", once started.
    std::string Url() const { return m_url; }

private:
    std::filesystem::path m_root;
    std::function<void(const std::string&)> m_log;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    std::string m_url;
};

/// What a request path maps to: the file inside the root, or the status that refuses it (403 for
/// a path that leaves the root, 404 for one that names nothing servable).
struct ServedPath {
    int Status = 404;
    std::filesystem::path File;
};

/// Maps a percent-decoded request path onto a regular file inside the root, following symbolic
/// links only as long as they stay inside.
ServedPath ResolveRequestPath(const std::filesystem::path& root, std::string_view decodedPath);

} // namespace paperkit
