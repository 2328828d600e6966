#include "platform/linux/ini_settings_store.h"

#include "support/ini_file.h"

#include <charconv>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

std::string_view SectionOf(std::string_view keyPath) {
    while (keyPath.starts_with('\\'))
        keyPath.remove_prefix(1);
    return keyPath;
}

} // namespace

IniSettingsStore::IniSettingsStore(fs::path userFile, fs::path machineFile)
    : m_userFile(std::move(userFile)), m_machineFile(std::move(machineFile)) {}

const fs::path& IniSettingsStore::FileOf(Hive hive) const {
    return hive == Hive::LocalMachine ? m_machineFile : m_userFile;
}

std::optional<std::string> IniSettingsStore::ReadString(Hive hive, std::string_view keyPath,
                                                        std::string_view name) const {
    return ReadIniValue(FileOf(hive), SectionOf(keyPath), name);
}

std::optional<int> IniSettingsStore::ReadInteger(Hive hive, std::string_view keyPath,
                                                 std::string_view name) const {
    const auto text = ReadString(hive, keyPath, name);
    if (!text || text->empty())
        return std::nullopt;
    const char* first = text->data();
    const char* last = first + text->size();
    if (*first == '+')
        ++first;
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

bool IniSettingsStore::WriteString(Hive hive, std::string_view keyPath, std::string_view name,
                                   std::string_view value) {
    const fs::path& file = FileOf(hive);
    std::error_code ec;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    return !ec && WriteIniValue(file, SectionOf(keyPath), name, value);
}

bool IniSettingsStore::WriteInteger(Hive hive, std::string_view keyPath, std::string_view name,
                                    int value) {
    return WriteString(hive, keyPath, name, std::to_string(value));
}

bool IniSettingsStore::DeleteValue(Hive hive, std::string_view keyPath, std::string_view name) {
    return DeleteIniValue(FileOf(hive), SectionOf(keyPath), name);
}

std::unique_ptr<SettingsStore> CreateSettingsStore() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path userConfig;
    if (config && *config && fs::path(config).is_absolute()) {
        userConfig = config;
    } else {
        const char* home = std::getenv("HOME");
        userConfig = fs::path(home && *home ? home : "/") / ".config";
    }
    return std::make_unique<IniSettingsStore>(userConfig / "Ravenmoor" / "PaperKit.conf",
                                              "/etc/xdg/Ravenmoor/PaperKit.conf");
}

} // namespace paperkit
