#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace paperkit {

/// An MD5 digest (RFC 1321).
using Md5Digest = std::array<std::uint8_t, 16>;

/// The digest of these bytes.
Md5Digest DataDigest(std::string_view bytes);

/// The digest of the file's whole content, read in large blocks. A file that is
/// missing, empty, not a regular file or cannot be read gives the digest of empty input.
Md5Digest FileDigest(const std::filesystem::path& file);

/// The digest as 32 lowercase hexadecimal digits, high half of each byte first.
std::string DigestHex(const Md5Digest& digest);

/// True when all 16 bytes are equal.
bool DigestEqual(const Md5Digest& a, const Md5Digest& b);

} // namespace paperkit
