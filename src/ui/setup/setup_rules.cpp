#include "ui/setup/setup_rules.h"

#include <charconv>
#include <filesystem>

namespace paperkit {

namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\f\v";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

SetupStyleItem StyleItemFromValues(const std::optional<std::string>& tileWallpaper,
                                   const std::optional<std::string>& wallpaperStyle) {
    const std::string tile = tileWallpaper.value_or(std::string());
    const std::string style = wallpaperStyle.value_or(std::string());
    if (tile == "0" && style == "2")
        return StyleStretch;
    if (tile == "1" && style == "0")
        return StyleTile;
    return StyleCentre;
}

std::pair<std::string, std::string> StyleValues(int item) {
    switch (item) {
    case StyleStretch:
        return {"0", "2"};
    case StyleTile:
        return {"1", "0"};
    default:
        return {"0", "0"};
    }
}

int SpinValueFromText(std::string_view text, int lowest, int highest) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || at != end) {
        return lowest;
    }
    if (ec == std::errc::result_out_of_range)
        return text.front() == '-' ? lowest : highest;
    if (value < lowest)
        return lowest;
    if (value > highest)
        return highest;
    return static_cast<int>(value);
}

std::string WithTrailingSeparator(std::string folder) {
    constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (folder.empty() || folder.back() != separator)
        folder += separator;
    return folder;
}

std::string PendingDownloadDir(const std::string& edited, const std::string& current) {
    if (Trimmed(edited).empty())
        return {};
    const std::string folder = WithTrailingSeparator(edited);
    return folder == current ? std::string() : folder;
}

std::string ShownDownloadPath(const std::string& current, const std::string& pending) {
    const std::string_view trimmed = Trimmed(pending);
    return trimmed.empty() ? current : std::string(trimmed);
}

std::string OpenMusicCommand(const std::string& file) {
    return "OPEN \"" + file + "\" ALIAS bkfilename";
}

} // namespace paperkit
