#include "support/ini_file.h"

#include "support/file_read.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

/// The section a header line opens, or nullopt when the line is no section header.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    line = Trim(line);
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

/// The key of a "key=value" line, or nullopt for headers, comments and other lines.
std::optional<std::string_view> KeyOf(std::string_view line) {
    if (SectionOf(line) || IsComment(line))
        return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(0, eq));
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

/// Quotes a value whose blanks or quotes at the ends would otherwise be lost when it is read.
std::string StoredValue(std::string_view value) {
    const bool needsQuotes =
        !value.empty() &&
        (IsBlank(value.front()) || IsBlank(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back()));
    if (!needsQuotes)
        return std::string(value);
    return '"' + std::string(value) + '"';
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

} // namespace

bool IniFile::Load(const fs::path& file) {
    m_lines.clear();
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found)
        return true;
    if (ec || !fs::is_regular_file(status))
        return false;
    const auto text = ReadWholeFile(file);
    if (!text)
        return false;
    Parse(*text);
    return true;
}

void IniFile::Parse(std::string_view text) {
    m_lines.clear();
    // Every leading byte-order mark goes, not just one: Text() writes none, so a second one left
    // on the first line would be dropped by the next read and change what that line says.
    while (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    section = Trim(section);
    key = Trim(key);
    bool inSection = false;
    bool seenSection = false;
    for (const std::string& line : m_lines) {
        if (const auto name = SectionOf(line)) {
            // only the first section of this name counts
            if (seenSection)
                return std::nullopt;
            inSection = SameName(*name, section);
            seenSection = inSection;
            continue;
        }
        if (!inSection)
            continue;
        const auto lineKey = KeyOf(line);
        if (!lineKey || !SameName(*lineKey, key))
            continue;
        std::string_view value = Trim(std::string_view(line).substr(line.find('=') + 1));
        if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

bool IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == ';' || key.front() == '#' ||
        key.front() == '[')
        return false;
    const std::string newLine = std::string(key) + "=" + StoredValue(value);

    size_t i = 0;
    while (i < m_lines.size() &&
           !(SectionOf(m_lines[i]) && SameName(*SectionOf(m_lines[i]), section)))
        ++i;
    if (i == m_lines.size()) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(newLine);
        return true;
    }
    size_t insertAt = i + 1; // after the header, or after the section's last non-blank line
    for (size_t j = i + 1; j < m_lines.size() && !SectionOf(m_lines[j]); ++j) {
        if (const auto lineKey = KeyOf(m_lines[j]); lineKey && SameName(*lineKey, key)) {
            m_lines[j] = newLine;
            return true;
        }
        if (!Trim(m_lines[j]).empty())
            insertAt = j + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
    return true;
}

bool IniFile::RemoveValue(std::string_view section, std::string_view key) {
    section = Trim(section);
    key = Trim(key);
    bool inSection = false;
    bool removed = false;
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        if (const auto name = SectionOf(*it)) {
            inSection = SameName(*name, section);
        } else if (const auto lineKey = KeyOf(*it);
                   inSection && lineKey && SameName(*lineKey, key)) {
            it = m_lines.erase(it);
            removed = true;
            continue;
        }
        ++it;
    }
    return removed;
}

std::string IniFile::Text() const {
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool IniFile::Save(const fs::path& file) const {
    if (file.empty())
        return false;
    std::error_code ec;
    // Replace what a link points to, not the link itself.
    fs::path target = file;
    if (fs::is_symlink(file, ec)) {
        target = fs::canonical(file, ec);
        if (ec)
            return false;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;

    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
    bool ok = WriteAll(fd, Text()) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::optional<std::string> ReadIniValue(const fs::path& file, std::string_view section,
                                        std::string_view key) {
    IniFile ini;
    if (!ini.Load(file))
        return std::nullopt;
    return ini.Value(section, key);
}

bool WriteIniValue(const fs::path& file, std::string_view section, std::string_view key,
                   std::string_view value) {
    IniFile ini;
    return ini.Load(file) && ini.SetValue(section, key, value) && ini.Save(file);
}

bool DeleteIniValue(const fs::path& file, std::string_view section, std::string_view key) {
    IniFile ini;
    if (!ini.Load(file))
        return false;
    return !ini.RemoveValue(section, key) || ini.Save(file);
}

} // namespace paperkit
