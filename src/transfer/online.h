#pragma once

#include <string_view>

namespace paperkit {

class OnlineState;

/// True when the URL's host is a loopback address ("localhost", 127.x.x.x or ::1).
bool IsLoopbackUrl(std::string_view url);

/// Whether requests may be made: always in debug mode and when the catalog server (strServerURL)
/// is on this machine, otherwise when the platform reports a connection.
bool IsOnline(const OnlineState& state);

} // namespace paperkit
