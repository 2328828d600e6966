#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace paperkit::test {

/// A fresh folder below $TMPDIR, removed with everything in it when the object goes.
class TempDir {
public:
    explicit TempDir(std::string_view prefix = "pk");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& rel) const { return m_path / rel; }

private:
    std::filesystem::path m_path;
};

/// Writes bytes to a file, creating its folders.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

/// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

} // namespace paperkit::test
