#include "testsupport/sandbox.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace paperkit::test {

Sandbox::Sandbox() {
    namespace fs = std::filesystem;
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/paperkit-test-XXXXXX";
    if (!mkdtemp(templ.data()))
        return;
    m_root = templ;
    for (const char* sub : {"data", "config", "tmp", "runtime"})
        fs::create_directories(m_root / sub);
    setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
    setenv("TMPDIR", (m_root / "tmp").c_str(), 1);
    for (const char* name : {"PAPERKIT_LOG", "PAPERKIT_SERVER", "PAPERKIT_DEBUG", "PAPERKIT_SCREEN",
                             "PAPERKIT_WALLPAPER_COMMAND"})
        unsetenv(name);
    // A developer's own Wayland session would turn the X11 tests' private display away.
    unsetenv("WAYLAND_DISPLAY");
}

Sandbox::~Sandbox() {
    if (m_root.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
}

} // namespace paperkit::test
