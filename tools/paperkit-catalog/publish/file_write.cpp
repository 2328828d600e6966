#include "publish/file_write.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace paperkit {

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code ec;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    std::string temp = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else
            ok = false;
    }
    ok = (fchmod(fd, 0644) == 0) && ok;
    ok = (close(fd) == 0) && ok;
    if (ok)
        ok = std::rename(temp.c_str(), file.c_str()) == 0;
    if (!ok)
        std::filesystem::remove(temp, ec);
    return ok;
}

bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace paperkit
