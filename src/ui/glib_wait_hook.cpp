#include "ui/glib_wait_hook.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <glib.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace paperkit {

struct GlibWaitHook::State {
    std::function<void()> onWake;
    int fd = -1;
    std::thread::id owner;
    std::vector<GPollFD> fds; // glib's descriptors and ours, reused from wait to wait
};

namespace {

// glib calls the poll function without holding its context's lock, so what it reads is atomic;
// the previous function stays known for good, since a wait in another thread may still be under
// way when the hook is removed.
std::atomic<GlibWaitHook::State*> g_hook{nullptr};
std::atomic<GPollFunc> g_previous{nullptr};

void Drain(int fd) {
    std::uint64_t count = 0;
    while (read(fd, &count, sizeof count) > 0) {
    }
}

gint HookedPoll(GPollFD* fds, guint count, gint timeout) {
    const GPollFunc previous = g_previous.load();
    GlibWaitHook::State* hook = g_hook.load();
    // Another thread iterating the default context waits as it always did.
    if (hook == nullptr || std::this_thread::get_id() != hook->owner)
        return previous(fds, count, timeout);

    auto& all = hook->fds;
    all.assign(fds, fds + count);
    all.push_back(GPollFD{hook->fd, G_IO_IN, 0});
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        gint ready = previous(all.data(), count + 1, timeout);
        for (guint i = 0; i < count; ++i)
            fds[i].revents = all[i].revents;
        if (ready <= 0 || all[count].revents == 0)
            return ready;
        Drain(hook->fd);
        hook->onWake();
        if (--ready > 0)
            return ready;
        // Only ours: back to sleep for what is left of glib's wait.
        if (timeout > 0) {
            const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count();
            if (spent >= timeout)
                return 0;
            timeout -= static_cast<gint>(spent);
        } else if (timeout == 0) {
            return 0;
        }
        for (auto& fd : all)
            fd.revents = 0;
    }
}

} // namespace

std::unique_ptr<GlibWaitHook> GlibWaitHook::Install(std::function<void()> onWake) {
    // Qt's glib dispatcher waits in the default context in the application's thread.
    const auto* app = QCoreApplication::instance();
    const auto* dispatcher = QAbstractEventDispatcher::instance();
    if (app == nullptr || QThread::currentThread() != app->thread() || dispatcher == nullptr ||
        !dispatcher->inherits("QEventDispatcherGlib") || g_hook.load() != nullptr)
        return nullptr;
    const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto state = std::make_unique<State>();
    state->onWake = std::move(onWake);
    state->fd = fd;
    state->owner = std::this_thread::get_id();
    GMainContext* context = g_main_context_default();
    if (g_previous.load() == nullptr)
        g_previous = g_main_context_get_poll_func(context);
    g_hook = state.get();
    g_main_context_set_poll_func(context, &HookedPoll);
    return std::unique_ptr<GlibWaitHook>(new GlibWaitHook(std::move(state)));
}

GlibWaitHook::GlibWaitHook(std::unique_ptr<State> state) : m_state(std::move(state)) {}

GlibWaitHook::~GlibWaitHook() {
    g_main_context_set_poll_func(g_main_context_default(), g_previous.load());
    g_hook = nullptr;
    close(m_state->fd);
}

void GlibWaitHook::Wake() {
    const std::uint64_t one = 1;
    // A full counter (2^64 - 2 wakes not yet drained) still leaves the descriptor readable.
    [[maybe_unused]] const auto written = write(m_state->fd, &one, sizeof one);
}

} // namespace paperkit
