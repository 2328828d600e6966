#include "transfer/online.h"

#include "platform/online_state.h"
#include "support/globals.h"

#include <string>

namespace paperkit {

bool IsLoopbackUrl(std::string_view url) {
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos)
        return false;
    std::string_view host = url.substr(schemeEnd + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos)
        host.remove_prefix(at + 1);
    if (host.starts_with('[')) {
        host = host.substr(1, host.find(']') - 1);
    } else if (const std::size_t colon = host.find(':'); colon != std::string_view::npos) {
        host = host.substr(0, colon);
    }
    std::string lower(host);
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "localhost" || lower.starts_with("127.") || lower == "::1";
}

bool IsOnline(const OnlineState& state) {
    return DebugMode || IsLoopbackUrl(strServerURL) || state.IsConnected();
}

} // namespace paperkit
