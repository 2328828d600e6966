#include "ui/navigator/navigator_logic.h"

#include "app/change_interval.h"
#include "rotation/wall_rotation.h"
#include "support/text_shorten.h"

#include <QCoreApplication>
#include <charconv>
#include <optional>

namespace paperkit {

namespace {

/// An album id in decimal; nullopt for anything else, so a damaged id finds no album.
std::optional<int> AlbumId(const std::string& text) {
    int id = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, id);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return id;
}

} // namespace

WallInfo WallInfoFor(const TWallFiles& files, int position, const TMainSetupFiles& catalog) {
    WallInfo info{kHomeCaption, kHomePage};
    const TWallFileInfo* file = files.Get(position);
    if (!file)
        return info;
    switch (file->SourceType) {
    case '1':
    case '2': {
        const auto& albums = file->SourceType == '1' ? catalog.Subjects : catalog.DSubjects;
        const auto id = AlbumId(file->SourceId);
        if (const TWallSubject* album = id ? albums.Find(*id) : nullptr) {
            info.Caption = ShortenText(album->Desc, kInfoBytes, "...");
            info.Link = album->GoURL;
        }
        break;
    }
    case '0':
        if (const TWallPaper* folder = catalog.WallPapers.Find('0', file->SourceId)) {
            info.Caption = folder->Name;
            info.Link.clear();
        }
        break;
    default:
        break;
    }
    return info;
}

std::vector<AlbumMenuItem> AlbumMenuItems(const TWallFiles& files, const TWallPapers& wallPapers) {
    std::vector<AlbumMenuItem> items;
    std::string previous;
    for (int i = 0; i < files.Count(); ++i) {
        const TWallFileInfo& file = *files.Get(i);
        const std::string key = AlbumKey(file);
        if (i > 0 && key == previous)
            continue;
        previous = key;
        AlbumMenuItem item{{}, i};
        if (const TWallPaper* entry = wallPapers.Find(file.SourceType, file.SourceId)) {
            switch (entry->Type) {
            case '1':
                item.Caption =
                    QCoreApplication::translate("paperkit::WallpaperSource", "[最新更新]")
                        .toStdString();
                break;
            case '2':
                item.Caption =
                    QCoreApplication::translate("paperkit::WallpaperSource", "[我的下载]")
                        .toStdString();
                break;
            case '0':
                item.Caption =
                    QCoreApplication::translate("paperkit::WallpaperSource", "[本地壁纸]")
                        .toStdString();
                break;
            default:
                break;
            }
            item.Caption += ShortenText(entry->Name, kMenuNameBytes, "...");
        }
        items.push_back(std::move(item));
    }
    return items;
}

long long ChangeIntervalMs(const TWallParas& paras) {
    // The panel sets the interval whether or not the change is on; the timer runs only when it is.
    TWallParas on = paras;
    on.Change = true;
    return ChangeInterval(on).count();
}

PanelPos PanelPlace(PanelPos stored, ScreenSize screen) {
    // A part that is missing or damaged reads as -1; half a stored place is no place.
    if (stored.X == -1 || stored.Y == -1)
        return {screen.Width - kPanelWidth - 10, screen.Height - kPanelHeight - 60};
    return stored;
}

} // namespace paperkit
