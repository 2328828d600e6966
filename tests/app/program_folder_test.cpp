#include "app/program_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

// An installed tree finds its files in share/paperkit; a build folder, a plain folder or a "bin"
// without that share folder keeps them beside the program.
TEST(ProgramFolderOf, FindsTheFilesFromTheProgramsOwnPath) {
    const fs::path root = fs::path(std::getenv("TMPDIR")) / "program-folder";
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/paperkit");
    fs::create_directories(root / "opt/bin");
    fs::create_directories(root / "build/src/ui/program");
    struct Case {
        const char* program;
        const char* folder;
    } cases[] = {
        {"usr/bin/paperkit", "usr/share/paperkit"},
        {"opt/bin/paperkit", "opt/bin"},
        {"build/src/ui/program/paperkit", "build/src/ui/program"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFolderOf(root / c.program), root / c.folder) << c.program;
}

} // namespace
} // namespace paperkit
