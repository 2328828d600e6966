#include "platform/settings_store.h"

#include <charconv>
#include <cwchar>
#include <string>
#include <windows.h>

namespace paperkit {
namespace {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            size);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            size, nullptr, nullptr);
    return utf8;
}

HKEY Root(Hive hive) {
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring KeyOf(std::string_view keyPath) {
    while (!keyPath.empty() && keyPath.front() == '\\')
        keyPath.remove_prefix(1);
    return Wide(keyPath);
}

// The registry itself: one key per key path, string values as REG_SZ, integers as REG_DWORD.
class RegistrySettingsStore : public SettingsStore {
public:
    std::optional<std::string> ReadString(Hive hive, std::string_view keyPath,
                                          std::string_view name) const override {
        const std::wstring key = KeyOf(keyPath), value = Wide(name);
        // The value may grow between asking its size and reading it; then it is asked again.
        for (int attempt = 0; attempt < 3; ++attempt) {
            DWORD type = 0, bytes = 0;
            if (RegGetValueW(Root(hive), key.c_str(), value.c_str(),
                             RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, nullptr,
                             &bytes) != ERROR_SUCCESS)
                return std::nullopt;
            if (type == REG_DWORD) {
                // An integer reads as its decimal text, as it does from an INI file.
                DWORD number = 0;
                bytes = sizeof number;
                if (RegGetValueW(Root(hive), key.c_str(), value.c_str(), RRF_RT_REG_DWORD, nullptr,
                                 &number, &bytes) != ERROR_SUCCESS)
                    return std::nullopt;
                return std::to_string(static_cast<int>(number));
            }
            std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
            bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
            const LONG read = RegGetValueW(Root(hive), key.c_str(), value.c_str(), RRF_RT_REG_SZ,
                                           nullptr, text.data(), &bytes);
            if (read == ERROR_MORE_DATA)
                continue;
            if (read != ERROR_SUCCESS)
                return std::nullopt;
            text.resize(wcsnlen(text.c_str(), text.size()));
            return Utf8(text);
        }
        return std::nullopt;
    }

    std::optional<int> ReadInteger(Hive hive, std::string_view keyPath,
                                   std::string_view name) const override {
        // Integers are written as REG_DWORD, which ReadString gives as decimal text; a string
        // value holding a whole decimal number (a leading "+" allowed) counts too.
        const auto text = ReadString(hive, keyPath, name);
        if (!text || text->empty())
            return std::nullopt;
        const char* first = text->data();
        const char* last = first + text->size();
        if (*first == '+')
            ++first;
        int parsed = 0;
        const auto [at, ec] = std::from_chars(first, last, parsed);
        if (ec != std::errc() || at != last || first == last)
            return std::nullopt;
        return parsed;
    }

    bool WriteString(Hive hive, std::string_view keyPath, std::string_view name,
                     std::string_view text) override {
        const std::wstring wide = Wide(text);
        return Write(hive, keyPath, name, REG_SZ, wide.c_str(),
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }

    bool WriteInteger(Hive hive, std::string_view keyPath, std::string_view name,
                      int number) override {
        const DWORD dword = static_cast<DWORD>(number);
        return Write(hive, keyPath, name, REG_DWORD, &dword, sizeof dword);
    }

    bool DeleteValue(Hive hive, std::string_view keyPath, std::string_view name) override {
        HKEY key = nullptr;
        const LONG opened =
            RegOpenKeyExW(Root(hive), KeyOf(keyPath).c_str(), 0, KEY_SET_VALUE, &key);
        if (opened == ERROR_FILE_NOT_FOUND)
            return true;
        if (opened != ERROR_SUCCESS)
            return false;
        const LONG deleted = RegDeleteValueW(key, Wide(name).c_str());
        RegCloseKey(key);
        return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    }

private:
    static bool Write(Hive hive, std::string_view keyPath, std::string_view name, DWORD type,
                      const void* data, DWORD bytes) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(Root(hive), KeyOf(keyPath).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        const LONG set =
            RegSetValueExW(key, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(key);
        return set == ERROR_SUCCESS;
    }
};

} // namespace

std::unique_ptr<SettingsStore> CreateSettingsStore() {
    return std::make_unique<RegistrySettingsStore>();
}

} // namespace paperkit
