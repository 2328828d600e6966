#pragma once

#include "support/globals.h"
#include "testsupport/temp_dir.h"

#include <filesystem>

namespace paperkit::test {

/// Points the start-up folders at a fresh temporary folder (receive and download folders inside
/// it, the receive folder created) and restores them afterwards.
class DataFoldersFixture {
public:
    DataFoldersFixture()
        : m_oldReceive(ReceiveFolder), m_oldDownload(DownloadFolder),
          m_oldDefault(DefaultDownloadFolder) {
        ReceiveFolder = m_root / "Receive" / "";
        DownloadFolder = m_root / "Download" / "";
        DefaultDownloadFolder = DownloadFolder;
        std::filesystem::create_directories(ReceiveFolder);
    }
    ~DataFoldersFixture() {
        ReceiveFolder = m_oldReceive;
        DownloadFolder = m_oldDownload;
        DefaultDownloadFolder = m_oldDefault;
    }
    DataFoldersFixture(const DataFoldersFixture&) = delete;
    DataFoldersFixture& operator=(const DataFoldersFixture&) = delete;

    const std::filesystem::path& root() const { return m_root.path(); }

private:
    TempDir m_root{"pk-rotation"};
    std::filesystem::path m_oldReceive;
    std::filesystem::path m_oldDownload;
    std::filesystem::path m_oldDefault;
};

} // namespace paperkit::test
