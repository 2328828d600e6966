#include "rotation/old_files.h"

#include "rotation/local_paths.h"
#include "support/globals.h"
#include "support/log.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

using KeepList = std::unordered_set<std::string>;

std::string FoldedKey(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return text;
}

void Keep(KeepList& keep, const std::optional<fs::path>& path) {
    if (path)
        keep.insert(FoldedKey(*path));
}

bool Inside(const fs::path& folder, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(folder, ec);
    const fs::path b = fs::weakly_canonical(outer, ec);
    const fs::path rel = a.lexically_relative(b);
    return !rel.empty() && *rel.begin() != "..";
}

void DeleteUnlisted(const fs::path& folder, const KeepList& keep) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return;
    if (Inside(folder, DownloadFolder / "download")) {
        Log("old files: " + folder.string() + " leads into the user's downloads; left alone");
        return;
    }
    std::vector<fs::path> unlisted;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        // A link to a folder is neither entered nor deleted: it may lead anywhere. A link whose
        // type cannot be told (a dangling one) is skipped too; its error is its own, not the
        // walk's, so the rest of the folder is still looked at.
        std::error_code typeError;
        if (it->is_directory(typeError) || typeError)
            continue;
        if (!keep.contains(FoldedKey(it->path())))
            unlisted.push_back(it->path());
    }
    for (const fs::path& file : unlisted) {
        if (!fs::remove(file, ec))
            Log("old files: cannot delete " + file.string());
    }
}

} // namespace

void ClearOldFiles(const TWallSubjects& subjects, const TWallLastVers& versions) {
    KeepList keep;
    for (const TWallSubject& subject : subjects)
        Keep(keep, NewSubjectFile(subject));
    DeleteUnlisted(DownloadFolder / "new" / "subject", keep);

    keep.clear();
    for (const TWallSubject& subject : subjects) {
        for (const TWallImage& image : subject.Images)
            Keep(keep, NewImageFile(image));
    }
    DeleteUnlisted(DownloadFolder / "new" / "wallpaper", keep);

    keep.clear();
    for (const TWallLastVer& version : versions)
        Keep(keep, UpdateFile(version));
    DeleteUnlisted(ReceiveFolder / "update", keep);
}

} // namespace paperkit
