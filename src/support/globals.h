#pragma once

#include <atomic>
#include <filesystem>
#include <string>

// The start-up globals. The entry sets them once before any other thread starts (tests set them in
// their fixtures); everything else only reads them. DownloadFolder alone may be replaced while the
// coordinator loads the working catalog.
namespace paperkit {

/// Folder of the program file.
inline std::filesystem::path ProgramFolder;
/// Working catalog files and fetched server documents: <data>/PaperKit/Receive.
inline std::filesystem::path ReceiveFolder;
/// Downloaded pictures; starts as <data>/PaperKit/Download (the default download folder).
inline std::filesystem::path DownloadFolder;
/// The default download folder, as StartupInit set it; the hand-off file lives below it.
inline std::filesystem::path DefaultDownloadFolder;
/// Debug mode: the development server, and always online.
inline bool DebugMode = false;
/// Server root address, plain HTTP, no trailing slash.
inline std::string strServerURL;
/// strServerURL + "/wallfiles".
inline std::string CatalogBase;
/// The program's version text, "1.0.0.1030".
inline std::string strFileVersion = PAPERKIT_VERSION;
/// Set once when shutdown begins; polled by the coordinator and the download workers.
inline std::atomic<bool> Closing{false};

} // namespace paperkit
