#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace paperkit {

/// Raised by `TMyZip::Pack` when the container cannot be made.
class ContainerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Memory functions for the bytes `TMyZip::Unpack` restores, so that a caller who would read the
/// file straight back can take the bytes over instead (a parser that parses in place, say).
struct PayloadMemory {
    void* (*Allocate)(std::size_t);
    void (*Deallocate)(void*);
};

/// The file `TMyZip::Unpack` wrote, and its bytes in memory from the caller's `PayloadMemory`.
struct UnpackedFile {
    std::filesystem::path File;
    /// The file's bytes, followed by unused room; null when nothing was restored.
    std::unique_ptr<char, void (*)(void*)> Bytes{nullptr, nullptr};
    std::size_t Size = 0;
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

    /// Unpack, keeping the restored bytes in memory from `memory` as well. `File` is empty, and
    /// nothing is kept, when Unpack would return an empty path.
    UnpackedFile Unpack(const std::filesystem::path& container, const std::filesystem::path& folder,
                        const PayloadMemory& memory) const noexcept;

private:
    std::size_t m_maxPayload;
};

} // namespace paperkit
