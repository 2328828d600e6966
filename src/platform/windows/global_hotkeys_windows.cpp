#include "platform/global_hotkeys.h"

#include <atomic>
#include <future>
#include <memory>
#include <set>
#include <thread>
#include <utility>
#include <windows.h>

namespace paperkit {

namespace {

// RegisterHotKey binds a key to the calling thread's message queue, so registrations and the
// WM_HOTKEY messages all go through one thread of ours.
constexpr UINT kRegister = WM_APP + 1;
constexpr UINT kUnregister = WM_APP + 2;
constexpr UINT kQuit = WM_APP + 3;

// Application hotkey ids must stay below 0xC000.
constexpr int kLastId = 0xBFFF;

/// A request to take a key. The thread owns it once the message is posted, so the answer never
/// outlives the promise that gives it.
struct Registration {
    int id;
    UINT key;
    std::promise<bool> taken;
};

class WindowsHotkeys final : public GlobalHotkeys {
public:
    explicit WindowsHotkeys(Handler handler) : m_handler(std::move(handler)) {
        std::promise<DWORD> started;
        auto threadId = started.get_future();
        m_thread = std::thread([this, started = std::move(started)]() mutable { Serve(started); });
        m_threadId = threadId.get();
    }

    ~WindowsHotkeys() override {
        // The thread gives every key back before it ends. A full queue refuses the message for a
        // moment; a thread that has ended needs none.
        while (!m_stopped && !PostThreadMessageW(m_threadId, kQuit, 0, 0))
            Sleep(10);
        m_thread.join();
    }

    bool Register(int id, char letter) override {
        if (id < 0 || id > kLastId)
            return false;
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 'a' + 'A');
        if (letter < 'A' || letter > 'Z')
            return false;
        // The virtual-key code of a letter key is its upper-case ASCII code.
        auto request =
            std::make_unique<Registration>(Registration{id, static_cast<UINT>(letter), {}});
        auto answer = request->taken.get_future();
        if (!PostThreadMessageW(m_threadId, kRegister, 0, reinterpret_cast<LPARAM>(request.get())))
            return false;
        request.release();
        return answer.get();
    }

    void Unregister(int id) override {
        PostThreadMessageW(m_threadId, kUnregister, static_cast<WPARAM>(id), 0);
    }

private:
    void Serve(std::promise<DWORD>& started) {
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // creates the queue
        started.set_value(GetCurrentThreadId());
        std::set<int> held;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_HOTKEY) {
                m_handler(static_cast<int>(msg.wParam));
            } else if (msg.message == kRegister) {
                std::unique_ptr<Registration> request(reinterpret_cast<Registration*>(msg.lParam));
                // An id already in use keeps its key: Windows would hold both keys under it.
                const bool taken =
                    !held.contains(request->id) &&
                    RegisterHotKey(nullptr, request->id, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT,
                                   request->key) != FALSE;
                if (taken)
                    held.insert(request->id);
                request->taken.set_value(taken);
            } else if (msg.message == kUnregister) {
                const int id = static_cast<int>(msg.wParam);
                if (held.erase(id))
                    UnregisterHotKey(nullptr, id);
            } else if (msg.message == kQuit) {
                break;
            }
        }
        for (int id : held)
            UnregisterHotKey(nullptr, id);
        m_stopped = true;
    }

    Handler m_handler;
    std::atomic<bool> m_stopped{false};
    std::thread m_thread;
    DWORD m_threadId = 0;
};

} // namespace

std::unique_ptr<GlobalHotkeys> CreateGlobalHotkeys(GlobalHotkeys::Handler handler) {
    return std::make_unique<WindowsHotkeys>(std::move(handler));
}

} // namespace paperkit
