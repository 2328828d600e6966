#pragma once

#include "platform/autostart.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace paperkit {

/// One argument of a desktop entry's Exec key, quoted by the XDG rules when it holds a reserved
/// character, then escaped as a desktop entry string value ("%" doubled, backslashes, newlines,
/// tabs and carriage returns escaped).
std::string DesktopExecArgument(std::string_view argument);

/// An Exec value without its field codes ("%f", "%U" and the like); "%%" stays.
std::string ExecWithoutFieldCodes(std::string_view exec);

/// The value of a key in the "[Desktop Entry]" group of a desktop entry's text, as written.
std::optional<std::string> DesktopEntryValue(std::string_view entry, std::string_view key);

/// The menu entry of an installed PaperKit: PREFIX/share/applications/paperkit.desktop for a
/// program file PREFIX/bin/...; empty when there is none.
std::filesystem::path InstalledDesktopEntry(const std::filesystem::path& program);

/// The command the autostart entry runs: the installed menu entry's Exec without its field codes
/// when this program is installed, otherwise the program's absolute path, quoted.
std::string AutostartExec(const std::filesystem::path& program);

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
