#include "platform/wallpaper/linux/process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace paperkit {
namespace {

constexpr std::size_t kOutputCap = 1 << 20;

class Fd {
public:
    Fd() = default;
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int& operator*() { return m_fd; }
    void Close() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

// Reads what is there without blocking; false once the writer has closed its end.
bool Drain(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            if (into.size() < kOutputCap)
                into.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.size() > 300)
        line.resize(300);
    return line;
}

} // namespace

std::string ProcessResult::Reason() const {
    if (!started)
        return "could not be started (" + errors + ")";
    if (timedOut)
        return "did not finish in time and was stopped";
    if (exitCode != 0) {
        std::string reason = exitCode < 0 ? std::string("was killed by a signal")
                                          : "failed with exit status " + std::to_string(exitCode);
        const std::string detail = FirstLine(errors.empty() ? output : errors);
        if (!detail.empty())
            reason += ": " + detail;
        return reason;
    }
    return "succeeded";
}

ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds limit) {
    ProcessResult result;
    if (argv.empty() || argv.front().empty()) {
        result.errors = "no program named";
        return result;
    }

    Fd outRead, outWrite, errRead, errWrite;
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0) {
        result.errors = std::strerror(errno);
        return result;
    }
    *outRead = outPipe[0];
    *outWrite = outPipe[1];
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        result.errors = std::strerror(errno);
        return result;
    }
    *errRead = errPipe[0];
    *errWrite = errPipe[1];

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, *outWrite, 1);
    posix_spawn_file_actions_adddup2(&actions, *errWrite, 2);

    // A group of its own, so that a timeout also ends whatever the tool started in turn.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF |
                                              POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    const int spawnError =
        ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    outWrite.Close();
    errWrite.Close();
    if (spawnError != 0) {
        result.errors = argv.front() + ": " + std::strerror(spawnError);
        return result;
    }
    result.started = true;
    ::fcntl(*outRead, F_SETFL, O_NONBLOCK);
    ::fcntl(*errRead, F_SETFL, O_NONBLOCK);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool outOpen = true, errOpen = true;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            result.timedOut = true;
            break;
        }
        pollfd fds[2];
        nfds_t count = 0;
        if (outOpen)
            fds[count++] = {*outRead, POLLIN, 0};
        if (errOpen)
            fds[count++] = {*errRead, POLLIN, 0};
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        // Short slices: the child's exit is noticed through waitpid, not through the pipes, as
        // something it started may keep them open.
        ::poll(fds, count, static_cast<int>(std::min<long long>(wait.count() + 1, 20)));
        if (outOpen)
            outOpen = Drain(*outRead, result.output);
        if (errOpen)
            errOpen = Drain(*errRead, result.errors);
    }
    Drain(*outRead, result.output);
    Drain(*errRead, result.errors);

    if (!result.timedOut && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (result.exitCode == 127 && result.errors.empty())
        result.errors = argv.front() + ": not found";
    return result;
}

} // namespace paperkit
