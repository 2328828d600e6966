#pragma once

#include <set>
#include <string>
#include <string_view>

namespace paperkit {

/// A file name that needs no percent-encoding in a URL and is safe on every file system the
/// program runs on: lower-case ASCII letters, digits, '-' and '_', then the extension. Characters
/// outside that set become '-'; a name left empty becomes `fallback`. The name is made unique
/// against `taken` (compared as written, which is lower case) and added to it.
std::string UrlSafeFileName(std::string_view stem, std::string_view extension,
                            std::string_view fallback, std::set<std::string>& taken);

/// True when every byte of the text is one that a URL path carries without encoding.
bool IsUrlSafe(std::string_view text);

} // namespace paperkit
