#pragma once

#include <filesystem>

// Folder trees. The walks work on absolute paths and never change the process's current folder,
// so they may run beside anything else. Links inside a tree are never followed: a link is copied
// as what it is (a link to a file as the file's content) and deleted as a link, so nothing outside
// the tree is ever written or deleted.
namespace paperkit {

/// Makes sure the folder part of the path exists, creating every missing folder on the way.
bool ForceFileFolder(const std::filesystem::path& file);

/// Copies the source folder's tree into the target folder, creating it with missing parents.
/// Files that already exist at the target are kept, not overwritten; a file that fails to copy
/// does not stop the walk. False when the source is empty, no folder, cannot be listed, the
/// target cannot be created, or the target lies inside the source.
bool CopyTree(const std::filesystem::path& source, const std::filesystem::path& target);

/// Deletes the folder with everything in it; what cannot be deleted stays and the walk goes on.
/// True when the folder is gone afterwards (also when it never existed).
bool DeleteTree(const std::filesystem::path& folder);

/// Moves the source folder's tree into the target as CopyTree copies it, deleting from the
/// source each file that was copied or that the target already held. A file that could not be
/// copied stays at the source, and so do the folders that lead to it. True when the source folder
/// is gone afterwards.
bool MoveTree(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace paperkit
