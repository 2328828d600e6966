#include "platform/screen.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace paperkit {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        m_had = std::getenv(name) != nullptr;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

void ExpectSize(ScreenSize size, int width, int height) {
    EXPECT_EQ(size.Width, width);
    EXPECT_EQ(size.Height, height);
}

TEST(ScreenInfo, WithoutADisplayTheSizeIsFullHd) {
    ScopedEnv display("DISPLAY", nullptr);
    const auto screen = CreateScreenInfo();
    ExpectSize(screen->PrimarySize(), 1920, 1080);
    ExpectSize(screen->DesktopSize(), 1920, 1080);
}

TEST(ScreenInfo, OverrideStandsInForBothSizes) {
    ScopedEnv display("DISPLAY", ":98765");
    {
        ScopedEnv screenEnv("PAPERKIT_SCREEN", "1366x768");
        ExpectSize(CreateScreenInfo()->PrimarySize(), 1366, 768);
        ExpectSize(CreateScreenInfo()->DesktopSize(), 1366, 768);
    }
    // A malformed override is ignored, and an unreachable display is not fatal.
    for (const char* bad : {"1366", "x768", "0x768", "1366x768px", ""}) {
        ScopedEnv screenEnv("PAPERKIT_SCREEN", bad);
        ExpectSize(CreateScreenInfo()->PrimarySize(), 1920, 1080);
    }
}

TEST(ScreenInfo, AsksTheXServer) {
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        GTEST_SKIP() << "Xvfb is not installed";
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // The server must not outlive a test that crashes.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        // -noreset: without it the server resets each time its last client leaves, and refuses
        // connections meanwhile, so back-to-back queries would fail now and then.
        execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
              "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd pfd{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&pfd, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.empty()) {
        ScopedEnv display("DISPLAY", (":" + number).c_str());
        const auto screen = CreateScreenInfo();
        ExpectSize(screen->PrimarySize(), 1280, 1024);
        ExpectSize(screen->DesktopSize(), 1280, 1024);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
}

} // namespace
} // namespace paperkit
