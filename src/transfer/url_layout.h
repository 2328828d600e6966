#pragma once

#include <string>
#include <string_view>

namespace paperkit {

struct TWallSubject;
struct TWallImage;

/// Percent-encodes the GBK bytes of a URL's path and query (upper-case hex): bytes from 0x80 up,
/// bytes below 0x20, space, "#", "%", "*", "+", "<" and ">"; in the query "+" stays and "[" and
/// "]" are encoded too. Scheme, host and port stay as they are. A URL without "scheme://" is
/// returned unchanged.
std::string UrlEncode(std::string_view url);

/// The server folder of an album size index: the size text and "/", "512/" for any other index.
std::string SizeFolder(int size);

/// strServerURL + WebPath + "160/" + FileName, encoded.
std::string ThumbnailUrl(const TWallSubject& subject);

/// strServerURL + the album's WebPath + its size folder + the image's FileName, encoded.
std::string ImageUrl(const TWallImage& image);

} // namespace paperkit
