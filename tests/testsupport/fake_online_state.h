#pragma once

#include "platform/online_state.h"

#include <atomic>

namespace paperkit::test {

/// A connection state the test switches by hand.
class FakeOnline : public OnlineState {
public:
    bool IsConnected() const override { return connected.load(); }
    std::atomic<bool> connected{true};
};

} // namespace paperkit::test
