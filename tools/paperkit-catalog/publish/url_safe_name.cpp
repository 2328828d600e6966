#include "publish/url_safe_name.h"

#include <array>

namespace paperkit {

namespace {

constexpr std::size_t MaxStemLength = 60;

bool IsSafeByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '/';
}

// Names a Windows download folder cannot hold, whatever their extension.
bool IsReservedDeviceName(std::string_view stem) {
    static constexpr std::array<std::string_view, 22> names = {
        "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
        "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
    for (std::string_view name : names) {
        if (stem == name)
            return true;
    }
    return false;
}

std::string CleanStem(std::string_view stem) {
    std::string out;
    for (unsigned char c : stem) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (keep)
            out += static_cast<char>(c);
        else if (!out.empty() && out.back() != '-')
            out += '-';
        if (out.size() >= MaxStemLength)
            break;
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out;
}

} // namespace

std::string UrlSafeFileName(std::string_view stem, std::string_view extension,
                            std::string_view fallback, std::set<std::string>& taken) {
    std::string base = CleanStem(stem);
    if (base.empty())
        base = CleanStem(fallback);
    if (base.empty())
        base = "file";
    if (IsReservedDeviceName(base))
        base += "-1";
    const std::string ext = CleanStem(extension);
    const std::string dotExt = ext.empty() ? std::string() : "." + ext;
    std::string name = base + dotExt;
    for (int n = 2; taken.contains(name); ++n)
        name = base + "-" + std::to_string(n) + dotExt;
    taken.insert(name);
    return name;
}

bool IsUrlSafe(std::string_view text) {
    for (unsigned char c : text) {
        if (!IsSafeByte(c))
            return false;
    }
    return true;
}

} // namespace paperkit
