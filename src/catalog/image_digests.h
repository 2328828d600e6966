#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace paperkit {

/// Number of picture sizes an image may be offered in (the size table's length).
inline constexpr int ImageSizeCount = 17;

/// The digests of one picture, one entry per size of the size table. A catalog holds hundreds of
/// thousands of pictures, each offered in a few sizes only, so only the digests present are kept,
/// together in one allocation. An empty digest and an absent one are the same thing.
class ImageDigests {
public:
    ImageDigests() = default;
    ImageDigests(const ImageDigests& other);
    ImageDigests& operator=(const ImageDigests& other);
    ImageDigests(ImageDigests&& other) noexcept;
    ImageDigests& operator=(ImageDigests&& other) noexcept;

    /// The digest for the size; empty when there is none or the size is outside the table. The
    /// view stays valid until this object is changed or destroyed.
    std::string_view operator[](int size) const;

    /// Stores the digest for the size; an empty digest removes the entry. A size outside the
    /// table is ignored.
    void Set(int size, std::string_view digest);

    /// Replaces every entry at once, the cheap way to fill a fresh record.
    void Assign(const std::array<std::string_view, ImageSizeCount>& digests);

    /// Number of entries, present or not: the size table's length.
    static constexpr int size() { return ImageSizeCount; }

    friend bool operator==(const ImageDigests& a, const ImageDigests& b);

private:
    int PresentCount() const;
    std::size_t BufferSize() const;

    // One 32-bit end offset per present entry in size order, then the digests' texts back to back.
    std::unique_ptr<char[]> m_data;
    // Bit n is set when size n has a digest.
    std::uint32_t m_present = 0;
};

} // namespace paperkit
