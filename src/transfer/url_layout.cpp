#include "transfer/url_layout.h"

#include "catalog/wall_image.h"
#include "catalog/wall_subject.h"
#include "support/gbk.h"
#include "support/globals.h"

#include <array>

namespace paperkit {

namespace {

bool NeedsEscape(unsigned char byte, bool query) {
    if (byte >= 0x80 || byte < 0x20)
        return true;
    switch (byte) {
    case ' ':
    case '#':
    case '%':
    case '*':
    case '<':
    case '>':
        return true;
    case '+':
        return !query;
    case '[':
    case ']':
        return query;
    default:
        return false;
    }
}

void AppendEncoded(std::string& out, std::string_view part, bool query) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte, query)) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
}

// Stand-in for the size table until it is shared by the catalog library.
constexpr std::array<std::string_view, 17> kSizes = {
    "1024x768",  "1024x1280", "1200x1920", "1280x800",  "1280x960",  "1280x1024",
    "1366x768",  "1440x900",  "1600x1200", "1600x3200", "1680x1050", "1920x1200",
    "1920x1440", "2560x1024", "2560x1600", "2880x900",  "2880x1200"};

} // namespace

std::string UrlEncode(std::string_view url) {
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos || schemeEnd == 0)
        return std::string(url);
    const std::string gbk = Utf8ToGbk(url);
    const std::string_view bytes = gbk;
    const std::size_t authorityStart = schemeEnd + 3;
    std::size_t pathStart = bytes.find_first_of("/?", authorityStart);
    if (pathStart == std::string_view::npos)
        pathStart = bytes.size();
    const std::size_t queryStart = std::min(bytes.find('?', pathStart), bytes.size());

    std::string out(bytes.substr(0, pathStart));
    AppendEncoded(out, bytes.substr(pathStart, queryStart - pathStart), false);
    if (queryStart < bytes.size()) {
        out += '?';
        AppendEncoded(out, bytes.substr(queryStart + 1), true);
    }
    return out;
}

std::string SizeFolder(int size) {
    if (size < 0 || size >= static_cast<int>(kSizes.size()))
        return "512/";
    return std::string(kSizes[static_cast<std::size_t>(size)]) + "/";
}

std::string ThumbnailUrl(const TWallSubject& subject) {
    return UrlEncode(strServerURL + subject.WebPath + "160/" + subject.FileName);
}

std::string ImageUrl(const TWallImage& image) {
    const TWallSubject* subject = image.Subject;
    const std::string webPath = subject ? subject->WebPath : std::string();
    const int size = subject ? subject->Size : -1;
    return UrlEncode(strServerURL + webPath + SizeFolder(size) + image.FileName);
}

} // namespace paperkit
