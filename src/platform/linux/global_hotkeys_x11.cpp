#include "platform/global_hotkeys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <array>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace paperkit {

namespace {

// A grab is exact about modifiers, so each key is grabbed once for every state of the lock keys
// that may be on: none, CapsLock, NumLock, both.
constexpr std::array<unsigned, 4> kLockStates{0, LockMask, Mod2Mask, LockMask | Mod2Mask};
constexpr unsigned kCtrlAlt = ControlMask | Mod1Mask;
constexpr unsigned kRelevant = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

// Grab errors arrive asynchronously; the handler notes them for the XSync that follows a grab.
// Xlib's handler is process-wide, so it is set only around our own requests.
std::atomic<Display*> g_grabbing{nullptr};
std::atomic<bool> g_refused{false};

int NoteGrabError(Display* display, XErrorEvent* error) {
    if (display == g_grabbing.load() && error->error_code == BadAccess)
        g_refused = true;
    return 0;
}

class X11Hotkeys final : public GlobalHotkeys {
public:
    X11Hotkeys(Display* display, Handler handler)
        : m_display(display), m_handler(std::move(handler)) {
        if (pipe2(m_wake, O_NONBLOCK | O_CLOEXEC) != 0)
            m_wake[0] = m_wake[1] = -1;
        m_thread = std::thread([this] { Serve(); });
    }

    ~X11Hotkeys() override {
        {
            std::lock_guard lock(m_mutex);
            for (const auto& [id, code] : m_keys)
                Ungrab(code);
            m_keys.clear();
            XSync(m_display, False);
        }
        m_stop = true;
        WakeServer();
        m_thread.join();
        XCloseDisplay(m_display);
        for (int fd : m_wake)
            if (fd >= 0)
                close(fd);
    }

    bool Register(int id, char letter) override {
        std::lock_guard lock(m_mutex);
        if (m_keys.count(id) || !std::isalpha(static_cast<unsigned char>(letter)))
            return false;
        const char name[2] = {static_cast<char>(std::tolower(static_cast<unsigned char>(letter))),
                              '\0'};
        const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(name));
        if (code == 0)
            return false;
        XSync(m_display, False);
        g_refused = false;
        g_grabbing = m_display;
        auto* previous = XSetErrorHandler(NoteGrabError);
        for (unsigned lock : kLockStates)
            XGrabKey(m_display, code, kCtrlAlt | lock, DefaultRootWindow(m_display), False,
                     GrabModeAsync, GrabModeAsync);
        XSync(m_display, False);
        XSetErrorHandler(previous);
        g_grabbing = nullptr;
        if (g_refused) {
            // Another program holds the key: give back whatever part of it we did get.
            Ungrab(code);
            XSync(m_display, False);
            return false;
        }
        m_keys[id] = code;
        WakeServer(); // the syncs above may have queued events the server has not seen
        return true;
    }

    void Unregister(int id) override {
        std::lock_guard lock(m_mutex);
        const auto it = m_keys.find(id);
        if (it == m_keys.end())
            return;
        Ungrab(it->second);
        m_keys.erase(it);
        XSync(m_display, False);
        WakeServer();
    }

private:
    void WakeServer() {
        if (m_wake[1] >= 0)
            (void)!write(m_wake[1], "x", 1);
    }

    void Ungrab(KeyCode code) {
        for (unsigned lock : kLockStates)
            XUngrabKey(m_display, code, kCtrlAlt | lock, DefaultRootWindow(m_display));
    }

    void Serve() {
        std::array<pollfd, 2> fds{
            {{ConnectionNumber(m_display), POLLIN, 0}, {m_wake[0], POLLIN, 0}}};
        while (!m_stop) {
            std::map<int, bool> pressed;
            {
                std::lock_guard lock(m_mutex);
                while (XPending(m_display) > 0) {
                    XEvent event;
                    XNextEvent(m_display, &event);
                    if (event.type != KeyPress)
                        continue;
                    if ((event.xkey.state & kRelevant) != kCtrlAlt)
                        continue;
                    for (const auto& [id, code] : m_keys)
                        if (code == event.xkey.keycode)
                            pressed[id] = true;
                }
            }
            for (const auto& [id, _] : pressed)
                m_handler(id);
            // Xlib may read events into its queue outside this loop (the syncs of Register);
            // they wake the loop through the pipe. Without one it looks twice a second.
            if (m_wake[0] < 0) {
                poll(fds.data(), 1, 500);
                continue;
            }
            poll(fds.data(), 2, -1);
            char drained[64];
            while (read(m_wake[0], drained, sizeof drained) > 0) {
            }
        }
    }

    Display* m_display;
    Handler m_handler;
    std::mutex m_mutex;
    std::map<int, KeyCode> m_keys;
    std::atomic<bool> m_stop{false};
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
};

class NoHotkeys final : public GlobalHotkeys {
public:
    bool Register(int, char) override { return false; }
    void Unregister(int) override {}
};

} // namespace

std::unique_ptr<GlobalHotkeys> CreateGlobalHotkeys(GlobalHotkeys::Handler handler) {
    // Under native Wayland there is no root window to grab on; only X clients (XWayland) can be
    // served, and only while an X display is named.
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return std::make_unique<NoHotkeys>();
    // Windows drawn natively on Wayland: keys grabbed on XWayland's root would reach us only
    // while some X window has the focus, which is worse than none. Users bind `paperkit --next`
    // and the other steps in their desktop's settings instead.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string_view(platform).starts_with("wayland"))
        return std::make_unique<NoHotkeys>();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::make_unique<NoHotkeys>();
    return std::make_unique<X11Hotkeys>(display, std::move(handler));
}

} // namespace paperkit
