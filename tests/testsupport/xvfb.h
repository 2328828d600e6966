#pragma once

#include <string>
#include <sys/types.h>

namespace paperkit::test {

/// A private X server (Xvfb) for one test: started on a free display number, DISPLAY pointed at
/// it while the object lives, stopped at the end.
class Xvfb {
public:
    explicit Xvfb(const std::string& screen = "640x480x24");
    ~Xvfb();
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    /// False when Xvfb is missing or did not start; tests then skip.
    bool Running() const { return m_pid > 0; }
    /// ":N"
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
    std::string m_previousDisplay;
    bool m_hadDisplay = false;
};

} // namespace paperkit::test
