#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace paperkit {

/// Which store a value lives in: the current user's, or the machine's (read-only when the process
/// may not write it).
enum class Hive { CurrentUser, LocalMachine };

/// Named string and integer values grouped under key paths such as "Control Panel\Desktop" or
/// "\Software\Ravenmoor\PaperKit" (a leading backslash is ignored). The registry on Windows; INI
/// files on Linux, one section per key path.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    /// The value as text; nullopt when the file, key or value is missing.
    virtual std::optional<std::string> ReadString(Hive hive, std::string_view keyPath,
                                                  std::string_view name) const = 0;
    /// The value as an integer; nullopt when it is missing or is not a whole decimal number.
    virtual std::optional<int> ReadInteger(Hive hive, std::string_view keyPath,
                                           std::string_view name) const = 0;
    /// Stores a value, replacing the store's file atomically; false when it cannot be written.
    virtual bool WriteString(Hive hive, std::string_view keyPath, std::string_view name,
                             std::string_view value) = 0;
    virtual bool WriteInteger(Hive hive, std::string_view keyPath, std::string_view name,
                              int value) = 0;
    /// Removes a value; true when it is gone afterwards (also when it never existed).
    virtual bool DeleteValue(Hive hive, std::string_view keyPath, std::string_view name) = 0;
};

/// The platform's own store. Each platform's implementation file defines this.
std::unique_ptr<SettingsStore> CreateSettingsStore();

} // namespace paperkit
