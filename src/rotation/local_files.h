#pragma once

#include "catalog/download_files.h"

#include <functional>
#include <string>

// The coordinator's catalog files in the receive folder.
namespace paperkit {

/// Reads the receive folder's documents into the catalog in the order each depends on: the old
/// and new totals, categories, albums, version files (then their completeness), the user's
/// downloads and last the setup document. Then settles the download folder: a stored
/// `DownloadPath` becomes `DownloadFolder`; an empty one, or one that is not an absolute folder
/// here, takes the current folder. A missing or
/// unreadable document leaves its part as its reader does. Always true. `urlEncode` is handed
/// to the version document's reader for the update addresses.
bool LoadLocalFiles(TDownLoadFiles& files,
                    const std::function<std::string(const std::string&)>& urlEncode = {});

/// Writes the last accepted totals document as "filetotalold.xmz". Each of these savers logs a
/// failure and returns false for it.
bool SaveOldTotals(TDownLoadFiles& files);
/// Writes "setupfile.xmz".
bool SaveSetupFile(TDownLoadFiles& files);
/// Writes "downloadfile.xmz".
bool SaveDownloadFile(TDownLoadFiles& files);

/// The start-up housekeeping of the download folder on the catalog's settings, storing the setup
/// document when a setting changed.
void MoveDataFolders(TDownLoadFiles& files);

} // namespace paperkit
