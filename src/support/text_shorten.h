#pragma once

#include <string>
#include <string_view>

namespace paperkit {

/// Shortens a UTF-8 text to fit a byte limit measured in GBK, as the panel's info line was laid
/// out: a text of at most `limit` bytes comes back unchanged; a longer one keeps as many whole
/// characters as fit in `limit` minus the suffix's bytes, followed by the suffix.
std::string ShortenText(std::string_view text, int limit, std::string_view suffix);

} // namespace paperkit
