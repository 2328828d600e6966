#pragma once

#include "platform/autostart.h"
#include "platform/settings_store.h"
#include "ui/media/media_commands.h"

#include <map>
#include <string>
#include <vector>

namespace paperkit::test {

/// A settings store in memory.
class MemorySettingsStore : public SettingsStore {
public:
    std::map<std::string, std::string> values; // "hive|key|name" -> text

    static std::string Key(Hive hive, std::string_view keyPath, std::string_view name) {
        return std::to_string(static_cast<int>(hive)) + "|" + std::string(keyPath) + "|" +
               std::string(name);
    }
    std::optional<std::string> ReadString(Hive hive, std::string_view keyPath,
                                          std::string_view name) const override {
        const auto it = values.find(Key(hive, keyPath, name));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::optional<int> ReadInteger(Hive, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    bool WriteString(Hive hive, std::string_view keyPath, std::string_view name,
                     std::string_view value) override {
        values[Key(hive, keyPath, name)] = std::string(value);
        return true;
    }
    bool WriteInteger(Hive hive, std::string_view keyPath, std::string_view name,
                      int value) override {
        return WriteString(hive, keyPath, name, std::to_string(value));
    }
    bool DeleteValue(Hive hive, std::string_view keyPath, std::string_view name) override {
        values.erase(Key(hive, keyPath, name));
        return true;
    }
};

/// An autostart entry that may refuse to be written.
class FakeAutostart : public Autostart {
public:
    bool enabled = false;
    bool refuse = false;
    std::string program;
    bool IsEnabled() const override { return enabled; }
    bool Enable(const std::filesystem::path& file) override {
        if (refuse)
            return false;
        enabled = true;
        program = file.string();
        return true;
    }
    bool Disable() override {
        enabled = false;
        return true;
    }
};

/// Records the media commands it is sent.
class RecordingMedia : public MediaCommands {
public:
    std::vector<std::string> sent;
    MediaReply Send(const std::string& command) override {
        sent.push_back(command);
        return {true, {}};
    }
};

} // namespace paperkit::test
