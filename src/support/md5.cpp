#include "support/md5.h"

#include <algorithm>
#include <fcntl.h>
#include <limits>
#include <openssl/evp.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace paperkit {

Md5Digest DataDigest(std::string_view bytes) {
    Md5Digest digest{};
    unsigned int size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_md5(), nullptr);
    return digest;
}

Md5Digest FileDigest(const std::filesystem::path& file) {
    // O_NONBLOCK keeps a FIFO from stalling the open; such a file is then refused by its type.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return DataDigest({});
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        static_cast<std::uintmax_t>(info.st_size) > std::numeric_limits<size_t>::max()) {
        ::close(fd);
        return DataDigest({});
    }
    const auto length = static_cast<size_t>(info.st_size);
    void* data = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED)
        return DataDigest({});
    ::madvise(data, length, MADV_SEQUENTIAL);
    const Md5Digest digest = DataDigest(std::string_view(static_cast<const char*>(data), length));
    ::munmap(data, length);
    return digest;
}

std::string DigestHex(const Md5Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(32);
    for (const std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

bool DigestEqual(const Md5Digest& a, const Md5Digest& b) {
    return std::equal(a.begin(), a.end(), b.begin());
}

} // namespace paperkit
