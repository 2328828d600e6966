#include "ui/glib_wait_hook.h"

namespace paperkit {

// Without glib the windows' thread is reached through Qt's own queued calls only.

struct GlibWaitHook::State {};

std::unique_ptr<GlibWaitHook> GlibWaitHook::Install(std::function<void()>) {
    return nullptr;
}

GlibWaitHook::GlibWaitHook(std::unique_ptr<State> state) : m_state(std::move(state)) {}

GlibWaitHook::~GlibWaitHook() = default;

void GlibWaitHook::Wake() {}

} // namespace paperkit
