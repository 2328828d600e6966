#include "testsupport/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace paperkit::test {

namespace fs = std::filesystem;

TempDir::TempDir(std::string_view prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string templ =
        std::string(tmp && *tmp ? tmp : "/tmp") + "/" + std::string(prefix) + "-XXXXXX";
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = templ;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace paperkit::test
