#include "json_line.h"

#include <cstdio>

namespace paperkit::tool {

namespace {

// Length of the valid UTF-8 sequence starting at `i`, or 0 when it is not one.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    std::size_t n = 0;
    unsigned lo = 0x80, hi = 0xBF;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        lo = c == 0xE0 ? 0xA0 : 0x80;
        hi = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        lo = c == 0xF0 ? 0x90 : 0x80;
        hi = c == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (i + n > s.size())
        return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return n;
}

} // namespace

std::string JsonLine::Quote(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else if (const std::size_t n = Utf8Length(text, i); n > 0) {
                out.append(text, i, n);
                i += n;
                continue;
            } else {
                out += "\\ufffd";
            }
        }
        ++i;
    }
    return out + "\"";
}

JsonLine& JsonLine::Key(std::string_view key) {
    if (m_text.size() > 1)
        m_text += ",";
    m_text += Quote(key) + ":";
    return *this;
}

JsonLine& JsonLine::Text(std::string_view key, std::string_view value) {
    Key(key).m_text += Quote(value);
    return *this;
}

JsonLine& JsonLine::Int(std::string_view key, long long value) {
    Key(key).m_text += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Flag(std::string_view key, bool value) {
    Key(key).m_text += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Raw(std::string_view key, std::string_view json) {
    Key(key).m_text += json;
    return *this;
}

} // namespace paperkit::tool
