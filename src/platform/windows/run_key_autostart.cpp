#include "platform/autostart.h"

#include <string>
#include <system_error>
#include <windows.h>

namespace paperkit {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValue = L"PaperKite";

/// The Run value is a command line: the program's absolute path in double quotes, so that a path
/// with spaces ("C:\Program Files\...") starts this program and no other. No Windows path holds
/// a double quote.
std::wstring RunCommand(const std::filesystem::path& program) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(program, ec);
    if (ec)
        absolute = program;
    return L"\"" + absolute.lexically_normal().wstring() + L"\"";
}

// The machine's Run value. The key is opened, never created: without the right to it, writing
// fails and the caller reports it.
class RunKeyAutostart : public Autostart {
public:
    bool IsEnabled() const override {
        // Run values may be written with environment variables in them, as REG_EXPAND_SZ.
        return RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue,
                            RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }

    bool Enable(const std::filesystem::path& program) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return false;
        const std::wstring command = RunCommand(program);
        const LONG status = RegSetValueExW(
            key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }

    bool Disable() override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return !IsEnabled();
        const LONG status = RegDeleteValueW(key, kRunValue);
        RegCloseKey(key);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
};

} // namespace

std::unique_ptr<Autostart> CreateAutostart() {
    return std::make_unique<RunKeyAutostart>();
}

} // namespace paperkit
