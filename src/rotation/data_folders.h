#pragma once

#include <filesystem>

namespace paperkit {

/// Where the program keeps its data: the catalog documents and the pictures.
struct DataFolders {
    /// <data>/PaperKit/Receive/: working catalog files and fetched server documents.
    std::filesystem::path Receive;
    /// <data>/PaperKit/Download/: the default download folder.
    std::filesystem::path Download;
};

/// The user's data folder: $XDG_DATA_HOME when it is an absolute path, otherwise
/// $HOME/.local/share; the system's temporary folder when neither can be had.
std::filesystem::path DataHome();

/// The data folders below the data home. Both end with a separator, so that names appended to
/// them as text (the old layout's "subject" beside a download folder) land inside.
DataFolders DataFoldersUnder(const std::filesystem::path& dataHome);

/// The data folders below DataHome(). Nothing is created.
DataFolders ComputeDataFolders();

} // namespace paperkit
