#include "testsupport/xvfb.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace paperkit::test {

Xvfb::Xvfb(const std::string& screen) {
    if (const char* d = std::getenv("DISPLAY")) {
        m_hadDisplay = true;
        m_previousDisplay = d;
    }
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 10000) <= 0)
            break;
        char c;
        const ssize_t n = read(fds[0], &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return;
    }
    m_pid = pid;
    m_display = ":" + number;
    setenv("DISPLAY", m_display.c_str(), 1);
}

Xvfb::~Xvfb() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_hadDisplay)
        setenv("DISPLAY", m_previousDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

} // namespace paperkit::test
