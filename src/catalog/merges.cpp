// Keeping the user's choices across catalog rebuilds, and taking in download guide files.
#include "catalog/album_item.h"
#include "catalog/decimal.h"
#include "catalog/download_files.h"
#include "catalog/subject_index.h"
#include "catalog/xml_attr.h"
#include "support/file_status.h"
#include "support/log.h"

#include <exception>
#include <optional>
#include <system_error>
#include <unordered_map>

namespace paperkit {

namespace {

namespace fs = std::filesystem;

// The first category of each id, as TWallCategorys::Find would find it.
std::unordered_map<int, TWallCategory*> IndexCategorys(TWallCategorys& categorys) {
    std::unordered_map<int, TWallCategory*> index;
    for (TWallCategory& category : categorys)
        index.emplace(category.Id, &category);
    return index;
}

} // namespace

void TDownLoadFiles::CarrySelections(const TMainSetupFiles& snapshot) {
    const auto categorys = IndexCategorys(Categorys());
    for (const TWallCategory& old : snapshot.Categorys)
        if (const auto found = categorys.find(old.Id); found != categorys.end())
            found->second->Preset = old.Preset;

    const SubjectIndex subjects(Subjects());
    for (const TWallSubject& old : snapshot.Subjects) {
        TWallSubject* album = subjects.Find(old.Id);
        if (!album)
            continue;
        // A picture's flag means "present in the chosen size": it carries over only while the
        // size is unchanged and the same picture sits at the same position.
        const bool sameSize = album->Size == old.Size;
        for (int j = 0; j < album->Images.Count(); ++j) {
            TWallImage* image = album->Images.Get(j);
            const TWallImage* oldImage = old.Images.Get(j);
            if (!sameSize)
                image->Downloaded = false;
            else if (oldImage && oldImage->No == image->No)
                image->Downloaded = oldImage->Downloaded;
        }
        album->Download = old.Download;
        album->Size = old.Size;
        album->InWallList = old.InWallList;
        album->Downloaded = old.Downloaded;
    }

    WallUser().Assign(snapshot.WallUser);
    WallParas().Assign(snapshot.WallParas);
    WallPapers().Assign(snapshot.WallPapers);
}

void TDownLoadFiles::MergeIntoMain(TMainSetupFiles& main) {
    const SubjectIndex subjects(Subjects());
    for (int i = main.WallPapers.Count() - 1; i >= 0; --i) {
        const TWallPaper* paper = main.WallPapers.Get(i);
        if (paper->Type != '1')
            continue;
        // An id that is not a number names no album at all, so its entry is as stale as one
        // whose album left the list.
        const auto id = ParseDecimal(paper->Id);
        if (!id || !subjects.Find(*id))
            main.WallPapers.Delete(i);
    }

    {
        const SubjectIndex known(main.Subjects);
        const auto presets = IndexCategorys(main.Categorys);
        for (TWallSubject& album : Subjects()) {
            if (known.Find(album.Id))
                continue;
            const auto category = presets.find(album.Category);
            const bool preset = category != presets.end() && category->second->Preset;
            album.Download = preset;
            album.InWallList = preset;
            if (preset) {
                auto paper = std::make_unique<TWallPaper>();
                paper->Type = '1';
                paper->Id = std::to_string(album.Id);
                paper->Name = album.Desc;
                main.WallPapers.Add(std::move(paper));
            } else {
                album.Size = -1;
            }
        }
    }

    const auto categorys = IndexCategorys(Categorys());
    for (const TWallCategory& category : main.Categorys)
        if (const auto found = categorys.find(category.Id); found != categorys.end())
            found->second->Preset = category.Preset;

    for (const TWallSubject& chosen : main.Subjects) {
        if (TWallSubject* album = subjects.Find(chosen.Id)) {
            album->Download = chosen.Download;
            album->Size = chosen.Size;
            album->InWallList = chosen.InWallList;
        }
    }

    main.Categorys.Assign(Categorys());
    main.Subjects.Assign(Subjects());
    WallPapers().Assign(main.WallPapers);
    main.WallAds.Assign(WallAds());
}

void TDownLoadFiles::MatchGuideFiles(std::vector<std::string>& list) {
    const SubjectIndex dsubjects(DSubjects());
    for (auto i = list.size(); i-- > 0;) {
        // Only the album the import would name counts. Anything else is dropped: an entry left
        // as it was could read as an album id ("1057") and cancel that album's downloads.
        std::optional<int> named;
        try {
            const fs::path file = fs::path(list[i]);
            if (IsFile(file) && OpenDocument(file))
                named = GuideAlbumId();
        } catch (const std::exception& e) {
            Log(std::string("MatchGuideFiles: ") + e.what());
        }
        if (named && dsubjects.Find(*named))
            list[i] = std::to_string(*named);
        else
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    Document.reset();
}

std::optional<int> TDownLoadFiles::GuideAlbumId() const {
    // The same rule as the import: albums are taken up to the first one it refuses.
    std::optional<int> last;
    ForEachItem(Document.document_element().child("Subject"), [&](const pugi::xml_node& item) {
        const auto album = ReadAlbumItem(item, false, Screen);
        if (!album)
            return false;
        last = album->Id;
        return true;
    });
    return last;
}

void TDownLoadFiles::ImportGuideFiles(std::vector<std::string>& list) {
    TWallSubjects& dsubjects = DSubjects();
    for (std::string& entry : list) {
        std::string lastId;
        try {
            const fs::path file = fs::path(entry);
            if (IsFile(file) && OpenDocument(file)) {
                ForEachItem(Document.document_element().child("Subject"),
                            [&](const pugi::xml_node& item) {
                                auto album = ReadAlbumItem(item, true, Screen);
                                if (!album) {
                                    Log("ImportGuideFiles: an album without a numeric Category "
                                        "ends " +
                                        entry);
                                    return false;
                                }
                                album->Download = true;
                                if (TWallSubject* old = dsubjects.Find(album->Id))
                                    dsubjects.Remove(old);
                                lastId = std::to_string(album->Id);
                                dsubjects.Add(std::move(album));
                                return true;
                            });
            }
        } catch (const std::exception& e) {
            Log(std::string("ImportGuideFiles: ") + e.what());
        }
        entry = lastId;
    }
    std::erase_if(list, [](const std::string& entry) { return entry.empty(); });
    Document.reset();
}

} // namespace paperkit
