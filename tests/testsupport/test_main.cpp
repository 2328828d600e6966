// Every test process runs in a sandbox of its own: data, settings and temporary files all go to a
// fresh folder that is removed at the end, so tests never touch a real home and never see each
// other's files.
#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <system_error>

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/paperkit-test-XXXXXX";
    if (!mkdtemp(templ.data()))
        return 2;
    const fs::path root = templ;
    for (const char* sub : {"data", "config", "tmp", "runtime"})
        fs::create_directories(root / sub);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    setenv("TMPDIR", (root / "tmp").c_str(), 1);
    unsetenv("PAPERKIT_LOG");
    unsetenv("PAPERKIT_SERVER");
    unsetenv("PAPERKIT_DEBUG");
    unsetenv("PAPERKIT_SCREEN");
    unsetenv("PAPERKIT_WALLPAPER_COMMAND");
    // A developer's own Wayland session would turn the X11 tests' private display away.
    unsetenv("WAYLAND_DISPLAY");

    ::testing::InitGoogleMock(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::error_code ec;
    fs::remove_all(root, ec);
    return rc;
}
