#include "platform/linux/xdg_autostart.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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

std::string AutostartEntry(const fs::path& program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=PaperKit\n"
           "Exec=" +
           DesktopExecArgument(program.string()) +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n"
           "Hidden=false\n";
}

XdgAutostart::XdgAutostart(fs::path entryFile) : m_entryFile(std::move(entryFile)) {}

bool XdgAutostart::IsEnabled() const {
    std::error_code ec;
    return fs::is_regular_file(m_entryFile, ec);
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
