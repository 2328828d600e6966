#pragma once

#include "transfer/http_client.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace paperkit {

/// The bytes of one download as they arrive. They collect in a part file of its own beside the
/// target ("<target>.XXXXXX.part", a unique name) rather than in memory: a resumed request
/// appends to what the broken one left there, the finished file is renamed into place on the same
/// file system (so the target never holds half a file), and a large resource costs no memory.
/// Each fetch starts its part file afresh, because nothing tells whether the resource changed
/// since an earlier fetch broke off; a part file neither committed nor discarded goes with the
/// object.
class PartFile : public BodySink {
public:
    /// `limit` is the most bytes the file may hold; a body that would pass it is refused.
    PartFile(std::filesystem::path target, std::uint64_t limit);
    ~PartFile() override;
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    /// Creates the target's folder with its missing parents and a fresh, empty part file.
    bool Open();
    /// Bytes held so far.
    std::uint64_t Size() const { return m_size; }
    /// The server sent more than the limit; resuming cannot help.
    bool Overflowed() const { return m_overflowed; }
    /// Writing to disk failed; resuming cannot help.
    bool WriteFailed() const { return m_writeFailed; }

    bool Start(std::uint64_t offset) override;
    bool Write(std::string_view bytes) override;

    /// Puts the bytes in place under the target's name, replacing an older file.
    bool Commit();
    /// Removes the part file.
    void Discard();

    /// The open part file; empty before Open and after Commit or Discard.
    const std::filesystem::path& PartPath() const { return m_partPath; }

private:
    bool Close();

    std::filesystem::path m_target;
    std::filesystem::path m_partPath;
    std::uint64_t m_limit;
    std::uint64_t m_size = 0;
    std::FILE* m_file = nullptr;
    bool m_overflowed = false;
    bool m_writeFailed = false;
};

} // namespace paperkit
