#pragma once

#include <functional>
#include <memory>

namespace paperkit {

/// Lets other threads reach the main thread while it sleeps in its event loop, without waking
/// Qt's event processing. Qt's glib dispatcher sleeps in the main context's poll function; the
/// hook puts a poll function of its own there that also watches one eventfd. When another thread
/// signals it, `onWake` runs in the main thread, inside that wait, and the thread goes back to
/// sleep unless glib's own descriptors have something. A full pass of Qt's event loop costs about
/// twice a plain thread's wake-up, and the coordinator visits the windows' thread a hundred times a
/// second.
class GlibWaitHook {
public:
    /// Installs the hook for the calling thread, which must be the main thread with its Qt
    /// application made. Null where that thread's events do not pass through glib's main context
    /// (QT_NO_GLIB, a platform without glib) or a hook is already installed.
    static std::unique_ptr<GlibWaitHook> Install(std::function<void()> onWake);
    /// Puts the previous poll function back.
    ~GlibWaitHook();

    GlibWaitHook(const GlibWaitHook&) = delete;
    GlibWaitHook& operator=(const GlibWaitHook&) = delete;

    /// Any thread: `onWake` runs soon in the main thread, at the latest in its next wait.
    void Wake();

    struct State; // the implementation's

private:
    explicit GlibWaitHook(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace paperkit
