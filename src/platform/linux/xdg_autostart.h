#pragma once

#include "platform/autostart.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace paperkit {

/// One argument of a desktop entry's Exec key, quoted by the XDG rules when it holds a reserved
/// character, then escaped as a desktop entry string value ("%" doubled, backslashes, newlines,
/// tabs and carriage returns escaped).
std::string DesktopExecArgument(std::string_view argument);

/// The whole autostart entry that starts this program.
std::string AutostartEntry(const std::filesystem::path& program);

/// The autostart entry as a file, written to a new file beside it and renamed over it.
class XdgAutostart : public Autostart {
public:
    explicit XdgAutostart(std::filesystem::path entryFile);

    bool IsEnabled() const override;
    bool Enable(const std::filesystem::path& program) override;
    bool Disable() override;

    const std::filesystem::path& EntryFile() const { return m_entryFile; }

private:
    std::filesystem::path m_entryFile;
};

} // namespace paperkit
