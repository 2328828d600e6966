#pragma once

#include <string>
#include <string_view>

// The program's reversible hex scramble of short texts (album ids, version file names). It works
// on the GBK bytes of the text, because the stored documents and the server hold those.
namespace paperkit {

/// Scrambles a UTF-8 text: each GBK byte plus its position (from 1) in upper-case hex, at least
/// two digits, the whole string reversed. The empty text gives "F7D531".
std::string ScrambleEncode(std::string_view text);

/// Undoes ScrambleEncode and returns UTF-8. Digits outside 0-9/A-F give meaningless bytes, never
/// an error; a final odd digit is ignored. A byte whose value plus position reached 256 when
/// encoded does not come back.
std::string ScrambleDecode(std::string_view text);

} // namespace paperkit
