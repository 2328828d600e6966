#include "app/command_text.h"

#include <charconv>

namespace paperkit {

CommandParts SplitCommand(std::string_view line) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return {std::string(line), {}};
    return {std::string(line.substr(0, colon)), std::string(line.substr(colon + 1))};
}

ImageKeyParts SplitImageKey(std::string_view key) {
    const auto dot = key.find('.');
    if (dot == std::string_view::npos)
        return {std::string(key), {}};
    return {std::string(key.substr(0, dot)), std::string(key.substr(dot + 1))};
}

std::optional<int> ParseDecimal(std::string_view text) {
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace paperkit
