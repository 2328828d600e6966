#include "platform/online_state.h"

#include <ifaddrs.h>
#include <net/if.h>

namespace paperkit {

namespace {

class InterfaceOnlineState : public OnlineState {
public:
    bool IsConnected() const override {
        ifaddrs* list = nullptr;
        if (getifaddrs(&list) != 0)
            return false;
        bool up = false;
        for (const ifaddrs* it = list; it && !up; it = it->ifa_next)
            up = (it->ifa_flags & IFF_UP) && !(it->ifa_flags & IFF_LOOPBACK);
        freeifaddrs(list);
        return up;
    }
};

} // namespace

std::unique_ptr<OnlineState> CreateOnlineState() {
    return std::make_unique<InterfaceOnlineState>();
}

} // namespace paperkit
