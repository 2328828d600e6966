#include "catalog/image_digests.h"

#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace paperkit {

namespace {

constexpr std::size_t kOffsetSize = sizeof(std::uint32_t);

std::uint32_t LoadOffset(const char* data, int index) {
    std::uint32_t value = 0;
    std::memcpy(&value, data + static_cast<std::size_t>(index) * kOffsetSize, kOffsetSize);
    return value;
}

} // namespace

ImageDigests::ImageDigests(const ImageDigests& other) : m_present(other.m_present) {
    if (const std::size_t bytes = other.BufferSize()) {
        m_data = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(m_data.get(), other.m_data.get(), bytes);
    }
}

ImageDigests::ImageDigests(ImageDigests&& other) noexcept
    : m_data(std::move(other.m_data)), m_present(std::exchange(other.m_present, 0)) {}

ImageDigests& ImageDigests::operator=(ImageDigests&& other) noexcept {
    m_data = std::move(other.m_data);
    m_present = std::exchange(other.m_present, 0);
    return *this;
}

ImageDigests& ImageDigests::operator=(const ImageDigests& other) {
    if (this != &other)
        *this = ImageDigests(other);
    return *this;
}

int ImageDigests::PresentCount() const {
    return std::popcount(m_present);
}

std::size_t ImageDigests::BufferSize() const {
    const int count = PresentCount();
    if (count == 0)
        return 0;
    return static_cast<std::size_t>(count) * kOffsetSize + LoadOffset(m_data.get(), count - 1);
}

std::string_view ImageDigests::operator[](int size) const {
    if (size < 0 || size >= ImageSizeCount || !(m_present >> size & 1u))
        return {};
    const int rank = std::popcount(m_present & ((1u << size) - 1u));
    const char* text = m_data.get() + static_cast<std::size_t>(PresentCount()) * kOffsetSize;
    const std::uint32_t begin = rank == 0 ? 0 : LoadOffset(m_data.get(), rank - 1);
    return {text + begin, LoadOffset(m_data.get(), rank) - begin};
}

void ImageDigests::Set(int size, std::string_view digest) {
    if (size < 0 || size >= ImageSizeCount)
        return;
    std::array<std::string_view, ImageSizeCount> digests;
    for (int n = 0; n < ImageSizeCount; ++n)
        digests[static_cast<std::size_t>(n)] = (*this)[n];
    digests[static_cast<std::size_t>(size)] = digest;
    Assign(digests);
}

void ImageDigests::Assign(const std::array<std::string_view, ImageSizeCount>& digests) {
    std::uint32_t present = 0;
    std::size_t textBytes = 0;
    for (int n = 0; n < ImageSizeCount; ++n) {
        if (const std::size_t length = digests[static_cast<std::size_t>(n)].size()) {
            present |= 1u << n;
            textBytes += length;
        }
    }
    if (textBytes > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("image digests too long");
    // The views may point into the current buffer, so the old one lives until the new is built.
    std::unique_ptr<char[]> data;
    if (present != 0) {
        const auto count = static_cast<std::size_t>(std::popcount(present));
        data = std::make_unique_for_overwrite<char[]>(count * kOffsetSize + textBytes);
        char* offsets = data.get();
        char* text = data.get() + count * kOffsetSize;
        std::uint32_t end = 0;
        for (const std::string_view digest : digests) {
            if (digest.empty())
                continue;
            std::memcpy(text + end, digest.data(), digest.size());
            end += static_cast<std::uint32_t>(digest.size());
            std::memcpy(offsets, &end, kOffsetSize);
            offsets += kOffsetSize;
        }
    }
    m_data = std::move(data);
    m_present = present;
}

bool operator==(const ImageDigests& a, const ImageDigests& b) {
    // The layout is canonical, so equal digests mean equal bytes.
    if (a.m_present != b.m_present)
        return false;
    const std::size_t bytes = a.BufferSize();
    return bytes == b.BufferSize() &&
           (bytes == 0 || std::memcmp(a.m_data.get(), b.m_data.get(), bytes) == 0);
}

} // namespace paperkit
