#pragma once

#include <memory>

namespace paperkit {

/// The machine's network connection state.
class OnlineState {
public:
    virtual ~OnlineState() = default;

    /// True when the machine has a network connection (on Linux: an interface other than
    /// loopback is up). Safe from any thread.
    virtual bool IsConnected() const = 0;
};

/// The platform's own connection query. Each platform's implementation file defines this.
std::unique_ptr<OnlineState> CreateOnlineState();

} // namespace paperkit
