#include "support/md5.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        ::close(fd);
        return DataDigest({});
    }
    // Reading in large blocks beats a mapping here: touching the mapped pages costs more than
    // copying them, and the digest pass over every downloaded picture is bound by it.
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = context && EVP_DigestInit_ex(context, EVP_md5(), nullptr) == 1;
    std::vector<char> block(1 << 16);
    while (ok) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got == 0)
            break;
        if (got < 0) {
            ok = errno == EINTR;
            continue;
        }
        ok = EVP_DigestUpdate(context, block.data(), static_cast<size_t>(got)) == 1;
    }
    ::close(fd);
    Md5Digest digest{};
    unsigned int size = 0;
    ok = ok && EVP_DigestFinal_ex(context, digest.data(), &size) == 1;
    EVP_MD_CTX_free(context);
    return ok ? digest : DataDigest({});
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
