#include "catalog/decimal.h"

#include <charconv>

namespace paperkit {

std::optional<int> ParseDecimal(std::string_view text) {
    // from_chars takes a minus sign but no plus sign; stored files may carry either.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

} // namespace paperkit
