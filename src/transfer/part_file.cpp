#include "transfer/part_file.h"

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace paperkit {

PartFile::PartFile(std::filesystem::path target, std::uint64_t limit)
    : m_target(std::move(target)), m_limit(limit) {}

PartFile::~PartFile() {
    Discard();
}

bool PartFile::Open() {
    std::error_code ec;
    if (m_target.has_parent_path())
        std::filesystem::create_directories(m_target.parent_path(), ec);
    Discard();
    m_size = 0;
    // A name of its own for each transfer: two jobs for one target (a duplicate catalog entry, or
    // a job still winding down when its replacement starts) must not write into one file.
    std::string name = m_target.native() + ".XXXXXX.part";
    const int fd = mkostemps(name.data(), 5, O_CLOEXEC);
    if (fd < 0)
        return false;
    // mkstemp makes the file private; a picture is as readable as any other file of the user.
    fchmod(fd, 0644);
    m_partPath = name;
    m_file = fdopen(fd, "wb");
    if (!m_file) {
        close(fd);
        Discard();
        return false;
    }
    return true;
}

bool PartFile::Start(std::uint64_t offset) {
    if (!m_file)
        return false;
    if (offset == m_size)
        return true;
    // A body that leaves a gap cannot be joined to what is here.
    if (offset > m_size)
        return false;
    // The server sent earlier bytes again (a whole answer to a ranged request): they replace the
    // tail from that position on.
    if (std::fflush(m_file) != 0) {
        m_writeFailed = true;
        return false;
    }
    std::error_code ec;
    std::filesystem::resize_file(m_partPath, offset, ec);
    if (ec || std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0) {
        m_writeFailed = true;
        return false;
    }
    m_size = offset;
    return true;
}

bool PartFile::Write(std::string_view bytes) {
    if (!m_file)
        return false;
    if (bytes.size() > m_limit - m_size) {
        m_overflowed = true;
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_writeFailed = true;
        return false;
    }
    m_size += bytes.size();
    return true;
}

bool PartFile::Close() {
    if (!m_file)
        return true;
    const bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

bool PartFile::Commit() {
    const bool closed = m_file != nullptr && Close();
    std::error_code ec;
    if (closed)
        std::filesystem::rename(m_partPath, m_target, ec);
    if (!closed || ec) {
        Discard();
        return false;
    }
    m_partPath.clear();
    return true;
}

void PartFile::Discard() {
    Close();
    if (m_partPath.empty())
        return;
    std::error_code ec;
    std::filesystem::remove(m_partPath, ec);
    m_partPath.clear();
}

} // namespace paperkit
