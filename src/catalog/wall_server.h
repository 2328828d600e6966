#pragma once

#include "catalog/owned_list.h"

#include <memory>
#include <string>
#include <utility>

namespace paperkit {

/// One server that the totals document announces. Kept as announced; no request uses it.
struct TWallServer {
    std::string Address;
    int Timeout = 0;
};

class TWallServers : public OwnedList<TWallServer> {
public:
    using OwnedList::Add;
    /// Appends a server; returns its position.
    int Add(std::string address, int timeout) {
        auto server = std::make_unique<TWallServer>();
        server->Address = std::move(address);
        server->Timeout = timeout;
        return Add(std::move(server));
    }
};

} // namespace paperkit
