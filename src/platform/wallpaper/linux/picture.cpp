#include "platform/wallpaper/linux/picture.h"

#include <QFile>
#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace paperkit {
namespace fs = std::filesystem;
namespace {

constexpr const char* kPrefix = "wallpaper-";

QString ToQString(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::string Extension(const std::string& format) {
    return format == "jpeg" ? ".jpg" : "." + format;
}

// The sequence number in "wallpaper-<n>.<ext>"; nullopt for files that are not ours.
std::optional<unsigned long long> Sequence(const fs::path& file) {
    const std::string stem = file.stem().string();
    if (stem.rfind(kPrefix, 0) != 0 || stem.size() == std::string_view(kPrefix).size())
        return std::nullopt;
    const std::string digits = stem.substr(std::string_view(kPrefix).size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    try {
        return std::stoull(digits);
    } catch (...) {
        return std::nullopt;
    }
}

std::vector<std::pair<unsigned long long, fs::path>> Copies(const fs::path& folder) {
    std::vector<std::pair<unsigned long long, fs::path>> copies;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (const auto seq = Sequence(it->path()); seq && it->is_regular_file(ec))
            copies.emplace_back(*seq, it->path());
    std::sort(copies.begin(), copies.end());
    return copies;
}

} // namespace

std::optional<Picture> LoadPicture(const fs::path& path, std::string& reason) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) {
        reason = "not an existing file: " + path.string();
        return std::nullopt;
    }
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        reason = "cannot be read: " + path.string();
        return std::nullopt;
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    Picture picture{path, reader.format().toLower().toStdString(), {}};
    if (picture.format != "jpeg" && picture.format != "bmp" && picture.format != "gif" &&
        picture.format != "png") {
        reason = "not a JPEG, BMP, GIF or PNG picture: " + path.string();
        return std::nullopt;
    }
    if (!reader.read(&picture.image) || picture.image.isNull()) {
        reason = "damaged picture (" + reader.errorString().toStdString() + "): " + path.string();
        return std::nullopt;
    }
    return picture;
}

WallpaperCache::WallpaperCache(fs::path folder) : m_folder(std::move(folder)) {}

fs::path WallpaperCache::DefaultFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && *home ? home : "/tmp") / ".local" / "share";
    }
    return base / "PaperKit" / "wallpaper-cache";
}

std::optional<fs::path> WallpaperCache::Add(const Picture& picture, const std::string& format,
                                            std::string& reason) {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    const auto copies = Copies(m_folder);
    const unsigned long long next = copies.empty() ? 1 : copies.back().first + 1;
    const std::string kind = format.empty() ? picture.format : format;
    const fs::path target = m_folder / (kPrefix + std::to_string(next) + Extension(kind));

    bool written = false;
    if (format.empty()) {
        written = fs::copy_file(picture.path, target, fs::copy_options::overwrite_existing, ec);
    } else {
        written = picture.image.save(ToQString(target), kind.c_str());
    }
    if (!written) {
        reason = "cannot write the copy " + target.string() +
                 (ec ? " (" + ec.message() + ")" : std::string());
        fs::remove(target, ec);
        return std::nullopt;
    }
    return target;
}

void WallpaperCache::Keep(const fs::path& shown) {
    const auto copies = Copies(m_folder);
    const auto current = Sequence(shown);
    if (!current)
        return;
    // The newest copy older than the one shown stays: the desktop may still be reading it.
    std::optional<unsigned long long> previous;
    for (const auto& [seq, path] : copies)
        if (seq < *current)
            previous = seq;
    std::error_code ec;
    for (const auto& [seq, path] : copies)
        if (seq != *current && seq != previous)
            fs::remove(path, ec);
}

void WallpaperCache::Discard(const fs::path& copy) {
    std::error_code ec;
    fs::remove(copy, ec);
}

} // namespace paperkit
