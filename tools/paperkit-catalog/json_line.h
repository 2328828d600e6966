#pragma once

#include <string>
#include <string_view>

namespace paperkit::tool {

/// Builds one JSON object, field by field, for one output line.
class JsonLine {
public:
    JsonLine& Text(std::string_view key, std::string_view value);
    JsonLine& Int(std::string_view key, long long value);
    JsonLine& Flag(std::string_view key, bool value);
    /// A value that is already JSON (an array or object built by the caller).
    JsonLine& Raw(std::string_view key, std::string_view json);
    /// The finished object.
    std::string str() const { return m_text + "}"; }

    /// A JSON string literal. Bytes that are not valid UTF-8 become U+FFFD.
    static std::string Quote(std::string_view text);

private:
    JsonLine& Key(std::string_view key);

    std::string m_text = "{";
};

} // namespace paperkit::tool
