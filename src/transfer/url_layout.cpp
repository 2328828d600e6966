#include "transfer/url_layout.h"

#include "catalog/size_table.h"
#include "catalog/wall_image.h"
#include "catalog/wall_subject.h"
#include "support/gbk.h"
#include "support/globals.h"

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

} // namespace

std::string UrlEncode(std::string_view url) {
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos || schemeEnd == 0)
        return std::string(url);
    // A character GBK lacks keeps its UTF-8 bytes and is escaped with them: as "?" it would
    // start a query and ask for another resource.
    const std::string gbk = Utf8ToGbkKeepingOthers(url);
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
    const std::string name = SizeName(size);
    return name.empty() ? std::string("512/") : name + "/";
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
