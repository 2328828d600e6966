#include "catalog/size_table.h"

#include "catalog/decimal.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace paperkit {

namespace {

constexpr std::array<std::string_view, SizeCount> kSizes = {
    "1024x768",  "1024x1280", "1200x1920", "1280x800",  "1280x960",  "1280x1024",
    "1366x768",  "1440x900",  "1600x1200", "1600x3200", "1680x1050", "1920x1200",
    "1920x1440", "2560x1024", "2560x1600", "2880x900",  "2880x1200",
};

std::vector<std::string_view> SplitEntries(std::string_view list) {
    std::vector<std::string_view> entries;
    if (list.empty())
        return entries;
    for (;;) {
        const auto comma = list.find(',');
        entries.push_back(list.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return entries;
}

struct Parsed {
    std::string_view text;
    int width = 0;
    int height = 0;
};

// The first candidate with the smallest distance; ties keep list order.
template <typename Accept, typename Distance>
int BestOf(const std::vector<Parsed>& entries, Accept accept, Distance distance) {
    const Parsed* best = nullptr;
    std::int64_t bestDistance = 0;
    for (const auto& e : entries) {
        if (e.width <= 0 || !accept(e))
            continue;
        const std::int64_t d = distance(e);
        if (!best || d < bestDistance) {
            best = &e;
            bestDistance = d;
        }
    }
    return best ? SizeIndex(best->text) : -1;
}

} // namespace

int SizeIndex(std::string_view text) {
    for (int i = 0; i < SizeCount; ++i)
        if (kSizes[i] == text)
            return i;
    return -1;
}

std::string SizeName(int index) {
    if (index < 0 || index >= SizeCount)
        return {};
    return std::string(kSizes[index]);
}

bool ParseSize(std::string_view text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string_view::npos)
        return false;
    width = ParseDecimal(text.substr(0, x)).value_or(0);
    height = ParseDecimal(text.substr(x + 1)).value_or(0);
    return true;
}

int SizeForList(std::string_view sizeList, int screenWidth, int screenHeight) {
    const auto entries = SplitEntries(sizeList);
    if (entries.empty())
        return -1;
    if (entries.size() == 1)
        return SizeIndex(entries.front());

    const std::string screen = std::to_string(screenWidth) + "x" + std::to_string(screenHeight);
    for (const auto e : entries) {
        if (e == screen) {
            const int index = SizeIndex(e);
            if (index >= 0)
                return index;
            break;
        }
    }

    std::vector<Parsed> parsed;
    parsed.reserve(entries.size());
    for (const auto e : entries) {
        Parsed p{e};
        if (!ParseSize(e, p.width, p.height))
            p.width = 0;
        parsed.push_back(p);
    }
    const std::int64_t ws = screenWidth;
    const auto shortfall = [ws](const Parsed& p) { return ws - p.width; };
    const auto fits = [ws](const Parsed& p) { return p.width <= ws; };

    int result = -1;
    if (screenWidth > 0) {
        const double screenRatio = static_cast<double>(screenHeight) / screenWidth;
        result = BestOf(
            parsed,
            [&](const Parsed& p) {
                const double ratio = static_cast<double>(p.height) / p.width;
                return fits(p) && std::fabs(ratio - screenRatio) < 0.06;
            },
            shortfall);
    }
    if (result < 0)
        result = BestOf(parsed, fits, shortfall);
    if (result < 0)
        result = BestOf(
            parsed, [](const Parsed&) { return true; },
            [ws](const Parsed& p) { return std::abs(ws - p.width); });
    if (result < 0)
        result = SizeIndex(entries.front());
    return result;
}

std::string AspectClass(int width, int height) {
    if (width <= 0)
        return ">";
    constexpr double R1 = 0.8, R2 = 0.75, R3 = 0.625, R4 = 0.5625;
    const double r = static_cast<double>(height) / width;
    if (r == R1)
        return "1";
    if (r > R1)
        return r - R1 < 0.025 ? "1*" : ">";
    if (r == R2)
        return "2";
    if (r > R2)
        return r - R2 < 0.025 ? "2*" : "1*";
    if (r == R3)
        return "3";
    if (r > R3)
        return r - R3 < 0.0625 ? "3*" : "2*";
    if (r == R4)
        return "4";
    if (r > R4)
        return r - R4 < 0.03125 ? "4*" : "3*";
    return R4 - r < 0.03125 ? "4*" : "<";
}

std::string DesktopClass(std::string_view mode, int desktopWidth, int desktopHeight) {
    std::string cls = AspectClass(desktopWidth, desktopHeight);
    if (mode != "1")
        return cls;
    switch (cls.front()) {
    case '1':
    case '2':
        return "1";
    case '3':
    case '4':
        return "2";
    default:
        return "*";
    }
}

} // namespace paperkit
