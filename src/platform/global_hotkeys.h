#pragma once

#include <functional>
#include <memory>

namespace paperkit {

/// System-wide keys that reach the program whichever window has the focus. Every key is taken
/// with Ctrl+Alt held.
class GlobalHotkeys {
public:
    /// Called with the id the key was registered under, on a thread of the implementation's own.
    using Handler = std::function<void(int id)>;

    virtual ~GlobalHotkeys() = default;

    /// Takes Ctrl+Alt+`letter` (an upper-case ASCII letter) for this id. False when it cannot be
    /// had, for example because another program holds it; the key then simply does nothing.
    virtual bool Register(int id, char letter) = 0;
    /// Gives the key of this id back to the system; an unknown id does nothing.
    virtual void Unregister(int id) = 0;
};

/// The platform's hotkeys. On X11 they are grabs on the root window over a connection of their
/// own; without a display, and under native Wayland, nothing can be registered.
std::unique_ptr<GlobalHotkeys> CreateGlobalHotkeys(GlobalHotkeys::Handler handler);

} // namespace paperkit
