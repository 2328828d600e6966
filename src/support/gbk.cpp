#include "support/gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace paperkit {

namespace {

/// Runs iconv over the whole input; on an invalid or unconvertible sequence it writes
/// `replacement(sequence)` in place of the `skip(rest)` input bytes that start there.
template <typename Skip, typename Replacement>
std::string ConvertWith(const char* to, const char* from, std::string_view in, Skip skip,
                        Replacement replacement) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    out.reserve(in.size() * 3 / 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (truncated sequence at the end): replace and move on.
        const size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
        out.append(replacement(std::string_view(src, n)));
        src += n;
        srcLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, Skip skip) {
    return ConvertWith(to, from, in, skip, [replacement](std::string_view) { return replacement; });
}

} // namespace

std::size_t Utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (size_t i = 1; i < n; ++i)
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return i;
    return n;
}

std::string Utf8ToGbk(std::string_view utf8) {
    return Convert("CP936", "UTF-8", utf8, "?", Utf8SequenceLength);
}

std::string Utf8ToGbkKeepingOthers(std::string_view utf8) {
    return ConvertWith("CP936", "UTF-8", utf8, Utf8SequenceLength,
                       [](std::string_view sequence) { return sequence; });
}

std::string Gb18030ToUtf8(std::string_view gb18030) {
    return Convert("UTF-8", "GB18030", gb18030, "\xEF\xBF\xBD",
                   [](std::string_view) -> size_t { return 1; });
}

std::string GbkToUtf8(std::string_view gbk) {
    return Convert("UTF-8", "CP936", gbk, "\xEF\xBF\xBD",
                   [](std::string_view) -> size_t { return 1; });
}

} // namespace paperkit
