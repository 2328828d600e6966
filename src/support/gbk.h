#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text is UTF-8 in memory. GBK (code page 936) is used only where stored files or the server rely
// on its bytes; these two conversions are the boundary.
namespace paperkit {

/// UTF-8 to GBK. A character GBK cannot hold, or a byte that is not valid UTF-8, becomes '?'.
std::string Utf8ToGbk(std::string_view utf8);

/// UTF-8 to GBK, except that a character GBK cannot hold, or a byte that is not valid UTF-8,
/// keeps its own bytes. Those bytes are all 0x80 or above, so unlike '?' they can never be taken
/// for an ASCII delimiter; callers that escape high bytes (URLs) get a harmless escape.
std::string Utf8ToGbkKeepingOthers(std::string_view utf8);

/// GBK to UTF-8. A byte sequence that is not valid GBK becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

/// GB18030 to UTF-8: GBK and its four-byte sequences, which reach every Unicode character. A byte
/// sequence that is not valid GB18030 becomes U+FFFD.
std::string Gb18030ToUtf8(std::string_view gb18030);

/// Length of the UTF-8 sequence that starts the text: at least 1 (so a walk always moves on),
/// and short of a byte that does not continue the sequence. The text must not be empty.
std::size_t Utf8SequenceLength(std::string_view utf8);

/// True when the byte is the lead byte of a GBK double-byte character.
constexpr bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

} // namespace paperkit
