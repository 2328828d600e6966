#include "platform/linux/xdg_autostart.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace paperkit {

namespace {

bool NeedsQuoting(std::string_view argument) {
    if (argument.empty())
        return true;
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    return argument.find_first_of(reserved) != std::string_view::npos;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string DesktopExecArgument(std::string_view argument) {
    std::string quoted;
    if (NeedsQuoting(argument)) {
        quoted += '"';
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                quoted += '\\';
            quoted += c;
        }
        quoted += '"';
    } else {
        quoted = argument;
    }
    // The Exec value is a string value too: its own escapes come on top of the quoting.
    std::string value;
    for (char c : quoted) {
        switch (c) {
        case '%':
            value += "%%";
            break;
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string ExecWithoutFieldCodes(std::string_view exec) {
    std::string result;
    std::size_t i = 0;
    while (i < exec.size()) {
        if (exec[i] == ' ') {
            ++i;
            continue;
        }
        // One argument: up to the next space outside double quotes.
        const std::size_t start = i;
        bool quoted = false;
        for (; i < exec.size() && (quoted || exec[i] != ' '); ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size())
                ++i;
            else if (exec[i] == '"')
                quoted = !quoted;
        }
        const std::string_view argument = exec.substr(start, i - start);
        // A field code stands alone; "%%" is a literal percent sign and stays.
        if (argument.size() == 2 && argument[0] == '%' && argument[1] != '%')
            continue;
        if (!result.empty())
            result += ' ';
        result += argument;
    }
    return result;
}

std::optional<std::string> DesktopEntryValue(std::string_view entry, std::string_view key) {
    bool inMainGroup = false;
    while (!entry.empty()) {
        const std::size_t end = std::min(entry.find('\n'), entry.size());
        std::string_view line = entry.substr(0, end);
        entry.remove_prefix(std::min(end + 1, entry.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos)
            continue;
        std::string_view name = line.substr(0, equals);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        if (name != key)
            continue;
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        return std::string(value);
    }
    return std::nullopt;
}

fs::path InstalledDesktopEntry(const fs::path& program) {
    const fs::path bin = program.parent_path();
    if (bin.filename() != "bin")
        return {};
    fs::path entry = bin.parent_path() / "share" / "applications" / "paperkit.desktop";
    std::error_code ec;
    return fs::is_regular_file(entry, ec) ? entry : fs::path();
}

std::string AutostartExec(const fs::path& program) {
    std::error_code ec;
    fs::path absolute = fs::absolute(program, ec);
    if (ec)
        absolute = program;
    absolute = absolute.lexically_normal();
    if (const fs::path installed = InstalledDesktopEntry(absolute); !installed.empty()) {
        if (const auto exec = DesktopEntryValue(ReadText(installed), "Exec")) {
            std::string command = ExecWithoutFieldCodes(*exec);
            if (!command.empty())
                return command;
        }
    }
    return DesktopExecArgument(absolute.string());
}

std::string AutostartEntry(const fs::path& program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=PaperKit\n"
           "Name[zh_CN]=青鸾画屏\n"
           "Icon=paperkit\n"
           "Exec=" +
           AutostartExec(program) +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n"
           "Hidden=false\n";
}

XdgAutostart::XdgAutostart(fs::path entryFile) : m_entryFile(std::move(entryFile)) {}

bool XdgAutostart::IsEnabled() const {
    std::error_code ec;
    if (!fs::is_regular_file(m_entryFile, ec))
        return false;
    // An entry the user (or a session's settings) switched off starts nothing.
    const std::string entry = ReadText(m_entryFile);
    return DesktopEntryValue(entry, "Hidden").value_or("false") != "true" &&
           DesktopEntryValue(entry, "X-GNOME-Autostart-enabled").value_or("true") != "false";
}

bool XdgAutostart::Enable(const fs::path& program) {
    std::error_code ec;
    fs::create_directories(m_entryFile.parent_path(), ec);
    fs::path part = m_entryFile;
    part += ".XXXXXX";
    std::string name = part.string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, AutostartEntry(program)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::chmod(name.c_str(), 0644) == 0 &&
        std::rename(name.c_str(), m_entryFile.c_str()) == 0)
        return true;
    ::unlink(name.c_str());
    return false;
}

bool XdgAutostart::Disable() {
    std::error_code ec;
    fs::remove(m_entryFile, ec);
    return !fs::exists(fs::symlink_status(m_entryFile, ec));
}

std::unique_ptr<Autostart> CreateAutostart() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path folder;
    if (config && *config && fs::path(config).is_absolute()) {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = fs::path(home && *home ? home : "/") / ".config";
    }
    return std::make_unique<XdgAutostart>(folder / "autostart" / "paperkit.desktop");
}

} // namespace paperkit
