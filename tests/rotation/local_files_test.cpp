#include "rotation/local_files.h"
#include "rotation/local_paths.h"
#include "rotation_fixture.h"
#include "support/md5.h"
#include "support/scramble.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

TEST(LocalFiles, NothingStoredKeepsTheDefaultFolder) {
    test::DataFoldersFixture folders;
    const fs::path initial = DownloadFolder;
    TDownLoadFiles files;
    EXPECT_TRUE(LoadLocalFiles(files));
    EXPECT_EQ(DownloadFolder, initial);
    EXPECT_EQ(files.WallParas().DownloadPath, initial.string());
    EXPECT_EQ(files.DSubjects().Count(), 0);
}

TEST(LocalFiles, AFolderThatIsNotAbsoluteHereIsIgnored) {
    test::DataFoldersFixture folders;
    const fs::path initial = DownloadFolder;
    for (const char* stored : {"C:\\Users\\me\\Pictures\\PaperKit\\", "relative/walls/"}) {
        {
            TDownLoadFiles files;
            files.WallParas().DownloadPath = stored;
            files.WallParas().Second = 42;
            ASSERT_TRUE(SaveSetupFile(files));
        }
        TDownLoadFiles files;
        EXPECT_TRUE(LoadLocalFiles(files));
        EXPECT_EQ(DownloadFolder, initial) << stored;
        EXPECT_EQ(files.WallParas().DownloadPath, initial.string()) << stored;
        EXPECT_EQ(files.WallParas().Second, 42) << "the rest reads as usual";
    }
}

TEST(LocalFiles, SavedCatalogLoadsBackAndSettlesTheFolder) {
    test::DataFoldersFixture folders;
    const std::string chosen = (folders.root() / "Chosen").string() + "/";
    {
        TDownLoadFiles files;
        auto album = std::make_unique<TWallSubject>();
        album->Id = 42;
        album->Desc = "Album";
        album->LocalPath = "\\a\\";
        album->FileName = "c.jpg";
        album->Size = 0;
        album->Downloaded = true;
        files.DSubjects().Add(std::move(album));
        auto entry = std::make_unique<TWallPaper>();
        entry->Type = '2';
        entry->Id = "42";
        entry->Name = "Album";
        files.WallPapers().Add(std::move(entry));
        files.WallParas().DownloadPath = chosen;
        EXPECT_TRUE(SaveDownloadFile(files));
        EXPECT_TRUE(SaveSetupFile(files));
    }

    // The version document as the server sends it, and a complete update container.
    TDownLoadFiles writer;
    pugi::xml_node file = writer.Document.append_child("Root").append_child("File");
    file.append_attribute("LastVer") = "1.0.0.2000";
    pugi::xml_node item = file.append_child("I");
    item.append_attribute("Id") = ScrambleEncode("paperkit").c_str();
    item.append_attribute("Totalxyz") = DigestHex(DataDigest("container")).c_str();
    ASSERT_TRUE(writer.SaveDocument(ReceiveFolder / "lastver.xmz"));
    test::WriteFile(ReceiveFolder / "update" / (ScrambleEncode("paperkit") + ".xyz"), "container");

    TDownLoadFiles files;
    EXPECT_TRUE(LoadLocalFiles(files));
    EXPECT_EQ(DownloadFolder, fs::path(chosen));
    ASSERT_EQ(files.DSubjects().Count(), 1);
    EXPECT_TRUE(files.DSubjects().Get(0)->Downloaded) << "the setup document is read after";
    ASSERT_EQ(files.WallPapers().Count(), 1);
    ASSERT_EQ(files.LastVers.Count(), 1);
    EXPECT_TRUE(files.LastVers.Get(0)->Downloaded) << "completeness checked after reading";
}

TEST(LocalFiles, AFailedSaveIsReported) {
    test::DataFoldersFixture folders;
    // The receive folder is a file: nothing can be written below it.
    test::WriteFile(folders.root() / "blocked", "a file");
    ReceiveFolder = folders.root() / "blocked" / "";
    TDownLoadFiles files;
    files.FileTotalXml = "<Root><Total File=\"1\"/></Root>";
    EXPECT_FALSE(SaveSetupFile(files));
    EXPECT_FALSE(SaveDownloadFile(files));
    EXPECT_FALSE(SaveOldTotals(files));
}

TEST(LocalFiles, FolderHousekeepingStoresChangedSettings) {
    test::DataFoldersFixture folders;
    const std::string walls = (folders.root() / "Walls").string();
    DownloadFolder = walls;
    TDownLoadFiles files;
    files.WallParas().DownloadPath = walls;
    MoveDataFolders(files);
    ASSERT_TRUE(fs::exists(ReceiveFolder / "setupfile.xmz"));

    TDownLoadFiles reloaded;
    LoadLocalFiles(reloaded);
    EXPECT_EQ(reloaded.WallParas().DownloadPath, walls + "/");
}

} // namespace
} // namespace paperkit
