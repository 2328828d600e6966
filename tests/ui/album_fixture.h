#pragma once

#include "catalog/main_setup_files.h"
#include "catalog/size_table.h"
#include "rotation/local_paths.h"
#include "support/globals.h"
#include "support/md5.h"
#include "testsupport/temp_dir.h"

#include <memory>
#include <string>

namespace paperkit::test {

/// A small working catalog for the main window's tests, with its download folder in a temporary
/// folder: categories 1 and 2, and albums made to order.
class AlbumFixture {
public:
    AlbumFixture() : m_oldDownload(DownloadFolder) {
        DownloadFolder = m_root / "Download" / "";
        for (int id : {1, 2}) {
            auto category = std::make_unique<TWallCategory>();
            category->Id = id;
            category->Desc = id == 1 ? "风景" : "动物";
            Setup.Categorys.Add(std::move(category));
        }
    }
    ~AlbumFixture() { DownloadFolder = m_oldDownload; }
    AlbumFixture(const AlbumFixture&) = delete;
    AlbumFixture& operator=(const AlbumFixture&) = delete;

    /// The bytes of a picture file: a JPEG signature and its name.
    static std::string Picture(const std::string& name) { return "\xFF\xD8 picture " + name; }

    /// An album with `pictures` pictures, the first `done` of them marked downloaded, offered in
    /// the sizes of `sizeList` (each picture's digest given for the first of them).
    static std::unique_ptr<TWallSubject> MakeAlbum(int id, int pictures, int done,
                                                   const std::string& sizeList = "1024x768") {
        auto album = std::make_unique<TWallSubject>();
        album->Id = id;
        album->Category = 1;
        album->Desc = "专辑" + std::to_string(id);
        album->Remark = "介绍" + std::to_string(id);
        album->Date = "2011-12-0" + std::to_string(id % 10);
        album->LocalPath = "\\" + std::to_string(id) + "\\";
        album->FileName = "cover.jpg";
        album->GoURL = "http://example.org/album/" + std::to_string(id);
        album->SizeList = sizeList;
        album->Counts = pictures;
        album->Size = -1;
        const std::string first = sizeList.substr(0, sizeList.find(','));
        for (int no = 1; no <= pictures; ++no) {
            auto image = std::make_unique<TWallImage>();
            image->No = no;
            image->FileName = std::to_string(no) + ".jpg";
            image->Totals.Set(
                SizeIndex(first),
                DigestHex(DataDigest(Picture(std::to_string(id) + "." + std::to_string(no)))));
            image->Downloaded = no <= done;
            album->Images.Add(std::move(image));
        }
        return album;
    }

    TWallSubject& AddNew(std::unique_ptr<TWallSubject> album) {
        TWallSubject& ref = *album;
        Setup.Subjects.Add(std::move(album));
        return ref;
    }
    TWallSubject& AddDown(std::unique_ptr<TWallSubject> album) {
        TWallSubject& ref = *album;
        Setup.DSubjects.Add(std::move(album));
        return ref;
    }

    /// Writes the picture's file where the album's page keeps it, in the album's chosen size.
    static void WritePicture(const TWallImage& image, char pageKind) {
        const auto file = pageKind == '2' ? DownImageFile(image) : NewImageFile(image);
        WriteFile(*file,
                  Picture(std::to_string(image.Subject->Id) + "." + std::to_string(image.No)));
    }

    TMainSetupFiles Setup;

private:
    TempDir m_root{"pk-mainwindow"};
    std::filesystem::path m_oldDownload;
};

} // namespace paperkit::test
