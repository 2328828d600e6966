#include "rotation/data_folder_moves.h"

#include "rotation/file_index.h"
#include "support/file_tree.h"
#include "support/globals.h"
#include "support/log.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

bool EndsWithSeparator(const std::string& folder) {
    return !folder.empty() && folder.back() == fs::path::preferred_separator;
}

/// Moves the folder tree unless the target already exists.
void MoveIfFree(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    if (fs::is_directory(source, ec) && !fs::exists(target, ec))
        MoveTree(source, target);
}

fs::path Resolved(const fs::path& folder) {
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(folder, ec);
    if (ec)
        resolved = folder;
    resolved = resolved.lexically_normal();
    if (!resolved.has_filename() && resolved.has_parent_path() && resolved != resolved.root_path())
        resolved = resolved.parent_path();
    return resolved;
}

/// True when the folder is the other folder or lies anywhere below it.
bool SameOrInside(const fs::path& folder, const fs::path& other) {
    const fs::path inner = Resolved(folder);
    const fs::path outer = Resolved(other);
    auto it = inner.begin();
    for (const fs::path& part : outer) {
        if (part.empty())
            continue;
        if (it == inner.end() || *it != part)
            return false;
        ++it;
    }
    return true;
}

bool NormaliseFolder(TWallParas& paras) {
    const std::string old = DownloadFolder.string();
    if (old.empty() || EndsWithSeparator(old))
        return false;
    DownloadFolder = fs::path(old + fs::path::preferred_separator);
    paras.DownloadPath = DownloadFolder.string();
    // Older versions formed these names without a separator.
    MoveIfFree(fs::path(old + "subject"), DownloadFolder / "subject");
    MoveIfFree(fs::path(old + "wallpaper"), DownloadFolder / "wallpaper");
    return true;
}

void MigrateOldLayout() {
    std::error_code ec;
    if (fs::exists(DownloadFolder / "new" / "subject", ec) ||
        !fs::exists(ReceiveFolder / "filetotal.xmz", ec) ||
        !fs::exists(ReceiveFolder / "subject", ec))
        return;
    MoveTree(ReceiveFolder / "subject", DownloadFolder / "new" / "subject");
    MoveTree(ReceiveFolder / "wallpaper", DownloadFolder / "new" / "wallpaper");
    MoveTree(DownloadFolder / "subject", DownloadFolder / "download" / "subject");
    MoveTree(DownloadFolder / "wallpaper", DownloadFolder / "download" / "wallpaper");
}

bool CarryOutPendingMove(TWallParas& paras) {
    const std::string pending = ReadDownloadDir();
    if (pending.empty())
        return false;
    const fs::path target = fs::path(pending);
    if (!target.is_absolute()) {
        WriteDownloadDir("");
        Log("download folder move refused, not an absolute folder: " + pending);
        return false;
    }
    if (SameOrInside(target, DownloadFolder)) {
        WriteDownloadDir("");
        Log("download folder move refused, the target lies in the download folder: " + pending);
        return false;
    }
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec)) {
        WriteDownloadDir("");
        Log("download folder move refused, the target cannot be created: " + pending);
        return false;
    }
    // The key is cleared only after the move, so that a move cut short goes on at the next start.
    MoveTree(DownloadFolder, target);
    WriteDownloadDir("");
    std::string folder = target.string();
    if (!EndsWithSeparator(folder))
        folder += fs::path::preferred_separator;
    DownloadFolder = fs::path(folder);
    paras.DownloadPath = folder;
    return true;
}

} // namespace

bool MoveDataFolders(TWallParas& paras) {
    bool changed = NormaliseFolder(paras);
    MigrateOldLayout();
    changed = CarryOutPendingMove(paras) || changed;
    return changed;
}

} // namespace paperkit
