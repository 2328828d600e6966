#pragma once

#include "catalog/wall_paras.h"

namespace paperkit {

/// The start-up housekeeping of the download folder, in this order: normalise a download folder
/// without a trailing separator (moving the old "<folder>subject" and "<folder>wallpaper" beside
/// it into it); move the pictures of the old layout out of the receive folder; carry out a move of
/// the download folder that the user asked for ("DownloadDir" in the position index). Updates
/// `DownloadFolder` and `paras.DownloadPath`. A pending move into the current download folder or
/// below it, to a relative path, or to a folder that cannot be created is refused and forgotten.
/// Moves copy first and delete only what was copied. Returns true when the settings changed and
/// the setup document should be stored.
bool MoveDataFolders(TWallParas& paras);

} // namespace paperkit
