#pragma once

#include "catalog/download_files.h"
#include "catalog/size_table.h"
#include "publish/server_documents.h"
#include "support/globals.h"
#include "support/md5.h"
#include "testsupport/http_test_server.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace paperkit::test {

/// A small catalog published with the project's own document writers and served over loopback
/// HTTP: categories 1 and 2, and albums whose covers and pictures all come in one size.
class ServedCatalog {
public:
    static inline const std::string Size = "1920x1200";

    /// The bytes served for a picture: a JPEG signature and the name.
    static std::string Picture(const std::string& name) { return "\xFF\xD8 picture " + name; }

    ServedCatalog() {
        for (int id : {1, 2}) {
            auto category = std::make_unique<TWallCategory>();
            category->Id = id;
            category->Desc = "Category " + std::to_string(id);
            Categorys.Add(std::move(category));
        }
    }

    /// An album of the category with `pictures` pictures, not yet offered.
    static std::unique_ptr<TWallSubject> MakeAlbum(int id, int category, int pictures) {
        auto album = std::make_unique<TWallSubject>();
        album->Id = id;
        album->Category = category;
        album->Desc = "Album " + std::to_string(id);
        album->LocalPath = "\\" + std::to_string(id) + "\\";
        album->WebPath = "/pictures/" + std::to_string(id) + "/";
        album->FileName = "cover.jpg";
        album->Total = DigestHex(DataDigest(Picture(std::to_string(id) + "/cover")));
        album->SizeList = Size;
        album->Counts = pictures;
        for (int no = 1; no <= pictures; ++no) {
            auto image = std::make_unique<TWallImage>();
            image->No = no;
            image->FileName = std::to_string(no) + ".jpg";
            image->Totals.Set(
                SizeIndex(Size),
                DigestHex(DataDigest(Picture(std::to_string(id) + "/" + image->FileName))));
            album->Images.Add(std::move(image));
        }
        return album;
    }

    /// Points the program's folders at `root` (receive and download folders beneath it) and its
    /// server at this catalog, as a start would.
    void UseAsTheProgramsCatalog(const std::filesystem::path& root) const {
        ReceiveFolder = root / "Receive" / "";
        DownloadFolder = root / "Download" / "";
        DefaultDownloadFolder = DownloadFolder;
        std::filesystem::create_directories(ReceiveFolder);
        strServerURL = Server.Url();
        CatalogBase = strServerURL + "/wallfiles";
    }

    /// Puts the album's files on the server; Publish() lists it.
    void AddAlbum(std::unique_ptr<TWallSubject> album) {
        const std::string id = std::to_string(album->Id);
        Server.Put(album->WebPath + "160/cover.jpg", Picture(id + "/cover"));
        for (const auto& image : album->Images)
            Server.Put(album->WebPath + Size + "/" + image.FileName,
                       Picture(id + "/" + image.FileName));
        Subjects.Add(std::move(album));
    }

    /// Publishes the four documents; a changed document gets a new stamp.
    void Publish() {
        TWallAds ads;
        TWallLastVers versions;
        versions.LastVer = strFileVersion;
        FileTotals stamps;
        std::vector<std::string> written;
        std::string error;
        ASSERT_TRUE(PublishServerDocuments(m_dir.path(), {Categorys, Subjects, ads, versions},
                                           stamps, written, error))
            << error;
        for (const auto& name : written)
            Server.Put("/wallfiles/" + name, ReadFile(m_dir / name));
    }

    /// Writes the user's presets into a receive folder, as the program stores them.
    void PresetCategory(const std::filesystem::path& receiveFolder, int id) {
        TDownLoadFiles seed;
        seed.Categorys().Assign(Categorys);
        seed.Categorys().Find(id)->Preset = true;
        BuildCategoryDocument(seed.Document, Categorys);
        ASSERT_TRUE(seed.SaveDocument(receiveFolder / "category.xmz"));
        ASSERT_TRUE(seed.WriteSetupFile(receiveFolder / "setupfile.xmz"));
    }

    HttpTestServer Server;
    TWallCategorys Categorys;
    TWallSubjects Subjects;

private:
    TempDir m_dir{"pk-catalog"};
};

} // namespace paperkit::test
