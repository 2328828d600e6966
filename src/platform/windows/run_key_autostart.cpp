#include "platform/autostart.h"

#include <string>
#include <windows.h>

namespace paperkit {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValue = L"PaperKite";

// The machine's Run value. The key is opened, never created: without the right to it, writing
// fails and the caller reports it.
class RunKeyAutostart : public Autostart {
public:
    bool IsEnabled() const override {
        return RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }

    bool Enable(const std::filesystem::path& program) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return false;
        const std::wstring path = program.wstring();
        const LONG status =
            RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
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
