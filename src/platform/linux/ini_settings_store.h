#pragma once

#include "platform/settings_store.h"

#include <filesystem>

namespace paperkit {

/// The settings store kept in two INI files, one per hive; each key path is a section named
/// after it without the leading backslash.
class IniSettingsStore : public SettingsStore {
public:
    IniSettingsStore(std::filesystem::path userFile, std::filesystem::path machineFile);

    std::optional<std::string> ReadString(Hive hive, std::string_view keyPath,
                                          std::string_view name) const override;
    std::optional<int> ReadInteger(Hive hive, std::string_view keyPath,
                                   std::string_view name) const override;
    bool WriteString(Hive hive, std::string_view keyPath, std::string_view name,
                     std::string_view value) override;
    bool WriteInteger(Hive hive, std::string_view keyPath, std::string_view name,
                      int value) override;
    bool DeleteValue(Hive hive, std::string_view keyPath, std::string_view name) override;

private:
    const std::filesystem::path& FileOf(Hive hive) const;

    std::filesystem::path m_userFile;
    std::filesystem::path m_machineFile;
};

} // namespace paperkit
