#include "rotation/local_paths.h"

#include "support/globals.h"
#include "support/scramble.h"

#include <algorithm>
#include <string>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

/// True when the text has a ".." part, a drive or stream colon, a NUL, or starts with two
/// separators (a network root).
bool Hostile(std::string_view text) {
    if (text.find('\0') != std::string_view::npos || text.find(':') != std::string_view::npos)
        return true;
    if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1]))
        return true;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        if (text.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

std::optional<fs::path> ImageBelow(const fs::path& folder, const TWallImage& image) {
    if (!image.Subject)
        return std::nullopt;
    return FileBelow(folder, image.Subject->LocalPath, image.FileName);
}

} // namespace

std::optional<fs::path> FileBelow(const fs::path& folder, std::string_view localPath,
                                  std::string_view fileName) {
    std::string relative;
    relative.reserve(localPath.size() + fileName.size());
    relative.append(localPath).append(fileName);
    if (relative.empty() || IsSeparator(relative.back()) || Hostile(localPath) ||
        Hostile(fileName) || Hostile(relative))
        return std::nullopt;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::string full = folder.string();
    while (!full.empty() && IsSeparator(full.back()) && full.size() > 1)
        full.pop_back();
    return fs::path(full + relative);
}

std::optional<fs::path> NewSubjectFile(const TWallSubject& subject) {
    return FileBelow(DownloadFolder / "new" / "subject", subject.LocalPath, subject.FileName);
}

std::optional<fs::path> DownSubjectFile(const TWallSubject& subject) {
    return FileBelow(DownloadFolder / "download" / "subject", subject.LocalPath, subject.FileName);
}

std::optional<fs::path> NewImageFile(const TWallImage& image) {
    return ImageBelow(DownloadFolder / "new" / "wallpaper", image);
}

std::optional<fs::path> DownImageFile(const TWallImage& image) {
    return ImageBelow(DownloadFolder / "download" / "wallpaper", image);
}

fs::path UpdateFile(const TWallLastVer& version) {
    return ReceiveFolder / "update" / (ScrambleEncode(version.FileName) + ".xyz");
}

fs::path HandOffFile() {
    return DefaultDownloadFolder / "download" / "wdownload.tmp";
}

} // namespace paperkit
