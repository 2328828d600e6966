#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace paperkit {

/// The title and remark a small text file gives a folder or picture.
struct TextInfo {
    std::string Title;
    std::string Remark;
};

/// Reads a title (the first non-empty line) and a remark (the other lines, joined by blanks)
/// from a text file in UTF-8 or, failing that, GBK. Without the file, or with an empty one, the
/// title is `fallback` and the remark empty.
TextInfo ReadTextInfo(const std::filesystem::path& file, std::string_view fallback);

/// The advertisement lines of a text file: text, a tab, then the link. Lines without a tab have
/// no link; empty lines are skipped. No file gives no lines.
std::vector<std::pair<std::string, std::string>> ReadAdLines(const std::filesystem::path& file);

/// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

/// The text as UTF-8: unchanged when it is UTF-8 already, otherwise read as GBK.
std::string AsUtf8(std::string_view text);

} // namespace paperkit
