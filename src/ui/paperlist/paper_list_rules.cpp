#include "ui/paperlist/paper_list_rules.h"

#include "rotation/local_paths.h"
#include "support/file_list.h"

#include <QCoreApplication>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

namespace paperkit {

namespace {

std::optional<int> AlbumId(const std::string& id) {
    int value = 0;
    const char* end = id.data() + id.size();
    const auto [at, ec] = std::from_chars(id.data(), end, value);
    if (id.empty() || ec != std::errc() || at != end)
        return std::nullopt;
    return value;
}

template <typename PathOf>
std::vector<std::filesystem::path> AlbumPictures(const TWallSubjects& albums, const std::string& id,
                                                 PathOf pathOf) {
    std::vector<std::filesystem::path> pictures;
    const auto number = AlbumId(id);
    const TWallSubject* album = number ? albums.Find(*number) : nullptr;
    if (!album)
        return pictures;
    for (const TWallImage& image : album->Images) {
        if (!image.Downloaded)
            continue;
        std::error_code ec;
        if (const auto path = pathOf(image); path && std::filesystem::is_regular_file(*path, ec))
            pictures.push_back(*path);
    }
    return pictures;
}

bool IsShownPicture(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext == ".JPG" || ext == ".BMP" || ext == ".GIF";
}

} // namespace

std::string PaperCaption(const TWallPaper& paper) {
    switch (paper.Type) {
    case '1':
        return QCoreApplication::translate("paperkit::WallpaperSource", "[最新更新]")
                   .toStdString() +
               paper.Name;
    case '2':
        return QCoreApplication::translate("paperkit::WallpaperSource", "[我的下载]")
                   .toStdString() +
               paper.Name;
    case '0':
        return QCoreApplication::translate("paperkit::WallpaperSource", "[本地壁纸]")
                   .toStdString() +
               paper.Name;
    default:
        return paper.Name;
    }
}

std::vector<std::filesystem::path> PreviewPictures(const TMainSetupFiles& catalog,
                                                   const TWallPaper& paper) {
    switch (paper.Type) {
    case '1':
        return AlbumPictures(catalog.Subjects, paper.Id,
                             [](const TWallImage& image) { return NewImageFile(image); });
    case '2':
        return AlbumPictures(catalog.DSubjects, paper.Id,
                             [](const TWallImage& image) { return DownImageFile(image); });
    case '0': {
        std::vector<std::filesystem::path> files, pictures;
        if (!paper.Id.empty())
            ListFiles(paper.Id, files, paper.HasSub == 'Y');
        for (auto& file : files)
            if (IsShownPicture(file))
                pictures.push_back(std::move(file));
        return pictures;
    }
    default:
        return {};
    }
}

void MarkAlbumsInWallList(TMainSetupFiles& catalog) {
    for (TWallSubject& album : catalog.Subjects)
        album.InWallList = catalog.WallPapers.Find('1', std::to_string(album.Id)) != nullptr;
    for (TWallSubject& album : catalog.DSubjects)
        album.InWallList = catalog.WallPapers.Find('2', std::to_string(album.Id)) != nullptr;
}

} // namespace paperkit
