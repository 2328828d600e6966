#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

// What every fuzz target shares: a scratch folder of its own that also serves as the temporary
// folder, so that a run never writes outside it, and small file helpers.
namespace paperkit::fuzz {

/// The process's scratch folder, made on first use; TMPDIR points at its "tmp" folder so that
/// the code under test keeps its temporary files there too.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path root = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/paperkit-fuzz-XXXXXX";
        if (!mkdtemp(templ.data()))
            std::abort();
        const std::filesystem::path folder = templ;
        std::filesystem::create_directories(folder / "tmp");
        setenv("TMPDIR", (folder / "tmp").c_str(), 1);
        // The scratch folder goes when the fuzzer ends normally; a crash leaves it to inspect.
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Scratch(), ec);
        });
        return folder;
    }();
    return root;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::abort();
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Empties a folder, keeping the folder itself.
inline void Clear(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        std::filesystem::remove_all(entry.path(), ec);
}

/// A broken promise of the code under test: reported as a crash with the reason.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace paperkit::fuzz
