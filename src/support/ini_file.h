#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

/// The lines of an INI file held in memory, so that one value can be changed while every other
/// line (comments, blank lines, other sections and keys, their order) stays as it was. Section
/// and key names compare without regard to ASCII letter case; the first matching section and key
/// win, as with the Windows profile functions whose files these are.
class IniFile {
public:
    /// Replaces the content by the file's lines. A missing file gives an empty content and true;
    /// false when the file exists but cannot be read.
    bool Load(const std::filesystem::path& file);
    /// Replaces the content by these lines of text (CR LF or LF line ends).
    void Parse(std::string_view text);

    /// The value of the key in the section; nullopt when the section or key is missing. Blanks
    /// around the value and one pair of enclosing quotes are removed.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    /// Sets the key's value, adding the key at the end of its section, or the section at the end
    /// of the content. False (and nothing changed) when a name or the value cannot be stored in
    /// one line: empty names, line breaks, '=' in a key, ']' in a section.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    /// Removes every line of this key in every section of this name. True when a line was
    /// removed, false when there was none.
    bool RemoveValue(std::string_view section, std::string_view key);

    /// The content as written to disk: every line ended by CR LF.
    std::string Text() const;
    /// Writes the content to a temporary file beside the target, flushes it to the disk and
    /// renames it over the target, so readers see either the old or the new file. The target's
    /// folder must exist. False when any step fails; the target is then left as it was.
    bool Save(const std::filesystem::path& file) const;

private:
    std::vector<std::string> m_lines;
};

/// Reads one value from an INI file; nullopt when the file, section or key is missing.
std::optional<std::string> ReadIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key);

/// Writes one value into an INI file, creating the file when it is missing; the file is replaced
/// atomically. False when the file cannot be read or written, or the value cannot be stored.
bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

/// Removes one value from an INI file. True when it is absent afterwards (also when the file,
/// section or key never existed).
bool DeleteIniValue(const std::filesystem::path& file, std::string_view section,
                    std::string_view key);

} // namespace paperkit
