#include "platform/single_instance.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace paperkit {

namespace {

constexpr size_t kLongestMessage = 64 * 1024;
constexpr int kReplyWaitMs = 5000;

/// A stable name for the data folder: the same in every build, unlike std::hash.
uint64_t Fnv1a(std::string_view text) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::filesystem::path SocketPath(const std::filesystem::path& dataFolder) {
    char name[64];
    std::snprintf(name, sizeof name, "paperkit-%u-%016llx.sock", static_cast<unsigned>(getuid()),
                  static_cast<unsigned long long>(Fnv1a(dataFolder.lexically_normal().string())));
    const sockaddr_un probe{};
    for (const char* var : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* dir = std::getenv(var);
        if (dir && *dir && std::strlen(dir) + std::strlen(name) + 2 <= sizeof probe.sun_path)
            return std::filesystem::path(dir) / name;
    }
    return std::filesystem::path("/tmp") / name;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void Reset(int fd = -1) {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

/// Who answers at a socket path.
enum class Peer { None, Ours, Stranger };

/// Connects to the socket; `peer` tells whether a process of this user listens there. A socket
/// in a shared folder such as /tmp may belong to anyone, so a stranger's is closed at once.
int Connect(const std::filesystem::path& path, Peer& peer) {
    peer = Peer::None;
    sockaddr_un address;
    if (!FillAddress(path, address))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
        credentials.uid != geteuid()) {
        peer = Peer::Stranger;
        close(fd);
        return -1;
    }
    peer = Peer::Ours;
    return fd;
}

Peer Probe(const std::filesystem::path& path) {
    Peer peer;
    if (const int fd = Connect(path, peer); fd >= 0)
        close(fd);
    return peer;
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

/// Reads until the peer closes its side, up to `limit` bytes, waiting at most `waitMs` for each
/// piece; false on a time-out, an error or an over-long message.
bool ReadAll(int fd, std::string& out, size_t limit, int waitMs) {
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, waitMs) <= 0)
            return false;
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out.append(buffer, static_cast<size_t>(n));
        if (out.size() > limit)
            return false;
    }
}

/// How long a start waits for another start that holds the lock to begin answering.
constexpr auto kLockWait = std::chrono::seconds(10);

class UnixSocketInstance final : public SingleInstance {
public:
    UnixSocketInstance(std::filesystem::path path, std::filesystem::path lockPath)
        : m_path(std::move(path)), m_lockPath(std::move(lockPath)) {}

    ~UnixSocketInstance() override {
        if (!m_listener.joinable())
            return;
        m_stop = true;
        const char wake = 1;
        [[maybe_unused]] ssize_t ignored = write(m_wakeWrite.Get(), &wake, 1);
        m_listener.join();
        // Remove our own socket only: a later instance may have taken the name over.
        struct stat now {};
        if (stat(m_path.c_str(), &now) == 0 && now.st_ino == m_socketInode)
            unlink(m_path.c_str());
    }

    ListenResult Listen(Handler handler) override {
        m_failure.clear();
        if (m_listener.joinable())
            return ListenResult::Listening;
        // The lock makes the check for a running instance and the taking of the name one step:
        // two starts at the same moment would otherwise both find nobody and both listen.
        if (const auto found = TakeLock(); found != ListenResult::Listening)
            return found;
        switch (Probe(m_path)) {
        case Peer::Ours:
            m_lock.Reset();
            return ListenResult::OtherInstance;
        case Peer::Stranger:
            return Fail(m_path.string() + " is held by another user");
        case Peer::None:
            break;
        }
        // Nobody answers: what is left at the name is a dead instance's socket, or not ours.
        struct stat st {};
        if (lstat(m_path.c_str(), &st) == 0) {
            if (st.st_uid != geteuid())
                return Fail(m_path.string() + " belongs to another user");
            if (unlink(m_path.c_str()) != 0)
                return Fail("cannot remove the stale " + m_path.string() + ": " + ErrorText(errno));
        }
        if (!BindAndListen())
            return Fail("cannot listen on " + m_path.string() + ": " + ErrorText(errno));
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0)
            return Fail("cannot make the listener's wake-up pipe: " + ErrorText(errno));
        m_wakeRead.Reset(pipeFds[0]);
        m_wakeWrite.Reset(pipeFds[1]);
        m_listener = std::thread([this, handler = std::move(handler)] { Serve(handler); });
        return ListenResult::Listening;
    }

    std::string FailureReason() const override { return m_failure; }

    bool Send(std::string_view message) override {
        Peer peer;
        FileDescriptor fd(Connect(m_path, peer));
        if (fd.Get() < 0 || !WriteAll(fd.Get(), message) || shutdown(fd.Get(), SHUT_WR) != 0)
            return false;
        std::string reply;
        return ReadAll(fd.Get(), reply, 16, kReplyWaitMs) && reply == "ok";
    }

private:
    ListenResult Fail(std::string reason) {
        m_failure = std::move(reason);
        m_listen.Reset();
        m_lock.Reset();
        return ListenResult::Failed;
    }

    /// Holds the lock file of the data folder. Listening when this start holds it; while another
    /// start holds it, waits for that one to answer or to go.
    ListenResult TakeLock() {
        std::error_code ec;
        std::filesystem::create_directories(m_lockPath.parent_path(), ec);
        m_lock.Reset(open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (m_lock.Get() < 0)
            return Fail("cannot open the instance lock " + m_lockPath.string() + ": " +
                        ErrorText(errno));
        const auto until = std::chrono::steady_clock::now() + kLockWait;
        for (;;) {
            if (flock(m_lock.Get(), LOCK_EX | LOCK_NB) == 0)
                return ListenResult::Listening;
            if (errno != EWOULDBLOCK && errno != EINTR)
                return Fail("cannot lock " + m_lockPath.string() + ": " + ErrorText(errno));
            if (Probe(m_path) == Peer::Ours) {
                m_lock.Reset();
                return ListenResult::OtherInstance;
            }
            if (std::chrono::steady_clock::now() > until)
                return Fail("another start holds " + m_lockPath.string() +
                            " but does not answer on " + m_path.string());
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    bool BindAndListen() {
        sockaddr_un address;
        if (!FillAddress(m_path, address)) {
            errno = ENAMETOOLONG;
            return false;
        }
        FileDescriptor fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (fd.Get() < 0)
            return false;
        // The socket is the user's alone: created under a umask that keeps others out.
        const mode_t old = umask(0077);
        const int rc = bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
        const int bindError = errno;
        umask(old);
        errno = bindError;
        if (rc != 0 || listen(fd.Get(), 8) != 0)
            return false;
        struct stat st {};
        if (stat(m_path.c_str(), &st) == 0)
            m_socketInode = st.st_ino;
        m_listen.Reset(fd.Release());
        return true;
    }

    void Serve(const Handler& handler) {
        while (!m_stop) {
            pollfd fds[2] = {{m_listen.Get(), POLLIN, 0}, {m_wakeRead.Get(), POLLIN, 0}};
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (m_stop || (fds[1].revents & POLLIN))
                return;
            FileDescriptor client(accept4(m_listen.Get(), nullptr, nullptr, SOCK_CLOEXEC));
            if (client.Get() < 0)
                continue;
            std::string message;
            // An empty message is a later start only asking whether we are here.
            if (!ReadAll(client.Get(), message, kLongestMessage, kReplyWaitMs) || message.empty())
                continue;
            handler(message);
            WriteAll(client.Get(), "ok");
        }
    }

    std::filesystem::path m_path;
    std::filesystem::path m_lockPath;
    std::string m_failure;
    /// Held for the instance's whole life; the system drops it when the process ends.
    FileDescriptor m_lock;
    FileDescriptor m_listen;
    FileDescriptor m_wakeRead;
    FileDescriptor m_wakeWrite;
    ino_t m_socketInode = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_listener;
};

} // namespace

std::unique_ptr<SingleInstance> CreateSingleInstance(const std::filesystem::path& dataFolder) {
    return std::make_unique<UnixSocketInstance>(SocketPath(dataFolder),
                                                dataFolder / "paperkit.lock");
}

} // namespace paperkit
