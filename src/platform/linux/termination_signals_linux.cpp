#include "platform/termination_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace paperkit {

namespace {

// The signal handler may only do async-signal-safe work: it writes one byte into a pipe that the
// watcher's thread reads.
std::atomic<int> g_writeEnd{-1};

void OnSignal(int) {
    const int saved = errno;
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] auto ignored = write(fd, &byte, 1);
    }
    errno = saved;
}

class TerminationSignalsLinux final : public TerminationSignals {
public:
    explicit TerminationSignalsLinux(std::function<void()> handler)
        : m_handler(std::move(handler)) {
        if (pipe2(m_pipe, O_CLOEXEC) != 0) {
            m_pipe[0] = m_pipe[1] = -1;
            return;
        }
        g_writeEnd = m_pipe[1];
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
        m_thread = std::thread([this] { Watch(); });
    }

    ~TerminationSignalsLinux() override {
        if (m_pipe[1] < 0)
            return;
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
        g_writeEnd = -1;
        close(m_pipe[1]); // ends the watcher's read
        m_thread.join();
        close(m_pipe[0]);
    }

private:
    void Watch() {
        char byte;
        for (;;) {
            const auto got = read(m_pipe[0], &byte, 1);
            if (got == 1) {
                m_handler();
                continue;
            }
            if (got < 0 && errno == EINTR)
                continue;
            return;
        }
    }

    std::function<void()> m_handler;
    int m_pipe[2];
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
    std::thread m_thread;
};

} // namespace

std::unique_ptr<TerminationSignals> WatchTerminationSignals(std::function<void()> handler) {
    return std::make_unique<TerminationSignalsLinux>(std::move(handler));
}

} // namespace paperkit
