#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>

namespace paperkit {

/// Raised by `TMyZip::Pack` when the container cannot be made.
class ContainerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Packs one file into the catalog's compressed container (.xmz, .xyz) and unpacks it again. A
/// container is one zlib stream of the file's bytes, an INI trailer naming the file, and the
/// trailer's length in four little-endian bytes.
class TMyZip {
public:
    /// Payloads larger than this are refused: a small container must not unpack into gigabytes.
    static constexpr std::size_t DefaultMaxPayload = std::size_t{512} << 20;

    explicit TMyZip(std::size_t maxPayload = DefaultMaxPayload) : m_maxPayload(maxPayload) {}

    /// Packs the source file into a container at the given path, creating its folder. The
    /// container is replaced only once the new one is complete, so a failure leaves an existing
    /// container whole. Throws ContainerError on failure.
    void Pack(const std::filesystem::path& source, const std::filesystem::path& container) const;

    /// Restores the packed file into the folder, with its stored last-write time, and returns the
    /// path written. Returns an empty path, and writes nothing, when the container is missing or
    /// damaged, or names a file that would not be a plain name inside the folder.
    std::filesystem::path Unpack(const std::filesystem::path& container,
                                 const std::filesystem::path& folder) const noexcept;

private:
    std::size_t m_maxPayload;
};

} // namespace paperkit
