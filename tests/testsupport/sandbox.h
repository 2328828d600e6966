#pragma once

#include <filesystem>

namespace paperkit::test {

/// The sandbox of one test process: data, settings, the runtime folder and temporary files all go
/// to a fresh folder that is removed at the end, so tests never touch a real home and never see
/// each other's files. The program's own environment switches are cleared.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    /// False when the folder could not be made; the process should then end.
    bool Ready() const { return !m_root.empty(); }
    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

} // namespace paperkit::test
