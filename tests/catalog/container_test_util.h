#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <zlib.h>

namespace paperkit::test {

/// zlib at its default level, as the container is written.
inline std::string Deflate(std::string_view payload) {
    uLongf size = compressBound(payload.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(payload.data()), payload.size(),
              Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

/// The whole decompressed stream; empty when it is not complete zlib data.
inline std::string Inflate(std::string_view data) {
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    std::string out;
    char chunk[4096];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - z.avail_out);
    }
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string();
}

/// A payload: the inner bytes, the trailer, and the trailer's length (or the given length).
inline std::string Payload(std::string_view inner, std::string_view trailer,
                           std::int64_t length = -1) {
    const auto l = static_cast<std::uint32_t>(length < 0 ? trailer.size() : length);
    std::string out = std::string(inner) + std::string(trailer);
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(l >> shift & 0xFF);
    return out;
}

/// Every path below the folder, relative to it.
inline std::set<std::string> Tree(const std::filesystem::path& folder) {
    std::set<std::string> out;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        out.insert(std::filesystem::relative(it->path(), folder).string());
    return out;
}

} // namespace paperkit::test
