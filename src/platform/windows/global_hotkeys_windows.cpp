#include "platform/global_hotkeys.h"

#include <future>
#include <thread>
#include <windows.h>

namespace paperkit {

namespace {

// RegisterHotKey binds a key to the calling thread's message queue, so registrations and the
// WM_HOTKEY messages all go through one thread of ours.
constexpr UINT kRegister = WM_APP + 1;
constexpr UINT kUnregister = WM_APP + 2;
constexpr UINT kQuit = WM_APP + 3;

class WindowsHotkeys final : public GlobalHotkeys {
public:
    explicit WindowsHotkeys(Handler handler) : m_handler(std::move(handler)) {
        std::promise<void> ready;
        auto started = ready.get_future();
        m_thread = std::thread([this, &ready] {
            MSG msg;
            PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // creates the queue
            ready.set_value();
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_HOTKEY) {
                    m_handler(static_cast<int>(msg.wParam));
                } else if (msg.message == kRegister) {
                    auto* result = reinterpret_cast<std::promise<bool>*>(msg.lParam);
                    const int id = static_cast<int>(msg.wParam & 0xFFFF);
                    const UINT key = static_cast<UINT>(msg.wParam >> 16);
                    result->set_value(RegisterHotKey(nullptr, id,
                                                     MOD_CONTROL | MOD_ALT | MOD_NOREPEAT,
                                                     key) != FALSE);
                } else if (msg.message == kUnregister) {
                    UnregisterHotKey(nullptr, static_cast<int>(msg.wParam));
                } else if (msg.message == kQuit) {
                    break;
                }
            }
        });
        started.wait();
        m_threadId = GetThreadId(m_thread.native_handle());
    }

    ~WindowsHotkeys() override {
        PostThreadMessageW(m_threadId, kQuit, 0, 0);
        m_thread.join();
    }

    bool Register(int id, char letter) override {
        // Application hotkey ids must stay below 0xC000.
        if (id < 0 || id > 0xBFFF)
            return false;
        std::promise<bool> result;
        auto answer = result.get_future();
        const WPARAM packed = static_cast<WPARAM>(id) | (static_cast<WPARAM>(letter) << 16);
        if (!PostThreadMessageW(m_threadId, kRegister, packed, reinterpret_cast<LPARAM>(&result)))
            return false;
        return answer.get();
    }

    void Unregister(int id) override {
        PostThreadMessageW(m_threadId, kUnregister, static_cast<WPARAM>(id), 0);
    }

private:
    Handler m_handler;
    std::thread m_thread;
    DWORD m_threadId = 0;
};

} // namespace

std::unique_ptr<GlobalHotkeys> CreateGlobalHotkeys(GlobalHotkeys::Handler handler) {
    return std::make_unique<WindowsHotkeys>(std::move(handler));
}

} // namespace paperkit
