#include "rotation/completeness.h"
#include "rotation/data_folders.h"
#include "rotation/file_index.h"
#include "rotation/local_paths.h"
#include "rotation_fixture.h"
#include "support/md5.h"
#include "testsupport/temp_dir.h"

#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

std::string Md5Of(std::string_view bytes) {
    return DigestHex(DataDigest(bytes));
}

TEST(DataFolders, LieBelowTheDataHome) {
    const DataFolders folders = DataFoldersUnder("/home/u/.local/share");
    EXPECT_EQ(folders.Receive, fs::path("/home/u/.local/share/PaperKit/Receive/"));
    EXPECT_EQ(folders.Download, fs::path("/home/u/.local/share/PaperKit/Download/"));

    const std::string xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::string oldHome = home ? home : "";
    EXPECT_EQ(DataHome(), fs::path(xdg));
    setenv("XDG_DATA_HOME", "relative/data", 1); // not absolute: ignored
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DataHome(), fs::path("/home/u/.local/share"));
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    setenv("HOME", oldHome.c_str(), 1);
    EXPECT_EQ(ComputeDataFolders().Receive, fs::path(xdg) / "PaperKit" / "Receive" / "");
}

TEST(LocalPaths, AppendTheCatalogTextsToThePictureFolders) {
    test::DataFoldersFixture folders;
    DefaultDownloadFolder = folders.root() / "Default" / "";
    TWallSubject album;
    album.LocalPath = "\\2005\\0601\\";
    album.FileName = "cover.jpg";
    auto image = std::make_unique<TWallImage>();
    image->FileName = "p1.jpg";
    TWallImage& picture = *image;
    album.Images.Add(std::move(image));
    TWallLastVer version;
    version.FileName = "abc";

    const fs::path d = DownloadFolder;
    EXPECT_EQ(NewSubjectFile(album), d / "new/subject/2005/0601/cover.jpg");
    EXPECT_EQ(DownSubjectFile(album), d / "download/subject/2005/0601/cover.jpg");
    EXPECT_EQ(NewImageFile(picture), d / "new/wallpaper/2005/0601/p1.jpg");
    EXPECT_EQ(DownImageFile(picture), d / "download/wallpaper/2005/0601/p1.jpg");
    EXPECT_EQ(UpdateFile(version), ReceiveFolder / "update/664626.xyz");
    EXPECT_EQ(HandOffFile(), folders.root() / "Default/download/wdownload.tmp");

    album.LocalPath = "x/"; // no separator is inserted in front of it
    EXPECT_EQ(NewSubjectFile(album), d / "new/subjectx/cover.jpg");
}

TEST(LocalPaths, HostileCatalogTextsGetNoPath) {
    test::DataFoldersFixture folders;
    struct Texts {
        const char* localPath;
        const char* fileName;
    };
    const std::vector<Texts> hostile = {
        {"../../x/", "a.jpg"},
        {"\\..\\..\\x\\", "a.jpg"},
        {"\\a\\..", "b.jpg"},
        {"\\a\\", "..\\..\\b.jpg"},
        {"\\a\\", ".."},
        {"C:\\Windows\\", "a.jpg"},
        {"\\\\host\\share\\", "a.jpg"},
        {"//host/share/", "a.jpg"},
        {"\\a\\", ""},
        {"\\a\\", "b/"},
        {"", ""},
    };
    for (const Texts& t : hostile) {
        SCOPED_TRACE(std::string(t.localPath) + " + " + t.fileName);
        TWallSubject album;
        album.LocalPath = t.localPath;
        album.FileName = t.fileName;
        album.Total = Md5Of("");
        album.Size = 0;
        auto image = std::make_unique<TWallImage>();
        image->FileName = t.fileName;
        image->Totals.Set(0, Md5Of(""));
        album.Images.Add(std::move(image));

        EXPECT_FALSE(NewSubjectFile(album));
        EXPECT_FALSE(DownSubjectFile(album));
        EXPECT_FALSE(NewImageFile(*album.Images.Get(0)));
        EXPECT_FALSE(DownImageFile(*album.Images.Get(0)));
        EXPECT_FALSE(CheckNewSubject(album)) << "counts as not present";
        CheckDownAlbum(album);
        EXPECT_FALSE(album.Downloaded);
        EXPECT_FALSE(album.Images.Get(0)->Downloaded);
    }
    // A ".." inside a name is no ".." part.
    TWallSubject album;
    album.LocalPath = "\\a..b\\";
    album.FileName = "c..jpg";
    EXPECT_TRUE(NewSubjectFile(album));
}

TEST(Completeness, DigestOfTheWholeFileDecides) {
    test::DataFoldersFixture folders;
    auto albumPtr = std::make_unique<TWallSubject>();
    TWallSubject& album = *albumPtr;
    album.LocalPath = "\\s\\";
    album.FileName = "cover.jpg";
    album.Total = Md5Of("cover");
    album.Size = 2;
    for (int no = 1; no <= 3; ++no) {
        auto image = std::make_unique<TWallImage>();
        image->FileName = "p" + std::to_string(no) + ".jpg";
        image->Totals.Set(2, Md5Of(image->FileName));
        album.Images.Add(std::move(image));
    }
    TWallImage& p1 = *album.Images.Get(0);
    TWallImage& p2 = *album.Images.Get(1);
    TWallImage& p3 = *album.Images.Get(2);
    test::WriteFile(*NewSubjectFile(album), "cover");
    test::WriteFile(*NewImageFile(p1), "p1.jpg");
    test::WriteFile(*NewImageFile(p2), "damaged");
    // p3 missing

    TWallSubjects latest;
    latest.Add(std::move(albumPtr));
    CheckNewAlbums(latest, false);
    EXPECT_TRUE(album.Downloaded);
    EXPECT_TRUE(p1.Downloaded);
    EXPECT_FALSE(p2.Downloaded);
    EXPECT_FALSE(p3.Downloaded);
    EXPECT_EQ(CountDoneImages(album), 1);

    // Without force, what is marked stays marked; with force everything is looked at again.
    std::filesystem::remove(*NewImageFile(p1));
    CheckNewAlbums(latest, false);
    EXPECT_TRUE(p1.Downloaded);
    CheckNewAlbums(latest, true);
    EXPECT_FALSE(p1.Downloaded);
    EXPECT_TRUE(album.Downloaded);

    // An album without a size, or a size out of range, never has complete pictures; digests
    // compare case-sensitively.
    test::WriteFile(*NewImageFile(p1), "p1.jpg");
    for (int size : {-1, 17}) {
        album.Size = size;
        EXPECT_FALSE(CheckNewImage(p1)) << size;
    }
    album.Size = 2;
    EXPECT_TRUE(CheckNewImage(p1));
    std::string upper = Md5Of("p1.jpg");
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    p1.Totals.Set(2, upper);
    EXPECT_FALSE(CheckNewImage(p1));

    // The stop flag ends the pass before the first album.
    album.Downloaded = false;
    Closing = true;
    CheckNewAlbums(latest, true);
    Closing = false;
    EXPECT_FALSE(album.Downloaded);
}

TEST(Completeness, UpdateContainersAndDownloadedAlbums) {
    test::DataFoldersFixture folders;
    TWallLastVers versions;
    for (const char* name : {"paperkit", "readme.txt"}) {
        auto version = std::make_unique<TWallLastVer>();
        version->FileName = name;
        version->Totalxyz = Md5Of(name);
        versions.Add(std::move(version));
    }
    test::WriteFile(UpdateFile(*versions.Get(0)), "paperkit");
    CheckLastVers(versions, true);
    EXPECT_TRUE(versions.Get(0)->Downloaded);
    EXPECT_FALSE(versions.Get(1)->Downloaded);

    TWallSubject album;
    album.LocalPath = "\\d\\";
    album.FileName = "c.jpg";
    album.Total = Md5Of("c");
    album.Size = 0;
    auto image = std::make_unique<TWallImage>();
    image->FileName = "i.jpg";
    image->Totals.Set(0, Md5Of("i"));
    image->Downloaded = true; // recomputed whatever it says
    album.Images.Add(std::move(image));
    test::WriteFile(*DownSubjectFile(album), "c");
    CheckDownAlbum(album);
    EXPECT_TRUE(album.Downloaded);
    EXPECT_FALSE(album.Images.Get(0)->Downloaded);
}

TEST(FileIndex, KeysReadTheirDefaultsAndKeepEachOther) {
    test::DataFoldersFixture folders;
    EXPECT_EQ(ReadFileIndex(), -1);
    EXPECT_EQ(ReadDownloadDir(), "");
    EXPECT_EQ(ReadPanelPos().X, -1);
    EXPECT_EQ(ReadPanelPos().Y, -1);

    WriteFileIndex(12);
    WriteDownloadDir("/data/walls/");
    WritePanelPos({640, -3});
    EXPECT_EQ(ReadFileIndex(), 12);
    EXPECT_EQ(ReadDownloadDir(), "/data/walls/");
    EXPECT_EQ(ReadPanelPos().X, 640);
    EXPECT_EQ(ReadPanelPos().Y, -3);
    const std::string text = test::ReadFile(ReceiveFolder / "fileindex.ini");
    EXPECT_NE(text.find("[WallParas]"), std::string::npos);
    EXPECT_LT(text.find("X=640"), text.find("Y=-3"));

    WriteDownloadDir("");
    EXPECT_EQ(ReadDownloadDir(), "");
    EXPECT_EQ(ReadFileIndex(), 12);

    for (const char* bad : {"abc", "12x", "", "99999999999"}) {
        test::WriteFile(ReceiveFolder / "fileindex.ini",
                        std::string("[WallParas]\r\nFileIndex=") + bad + "\r\nX=7\r\n");
        EXPECT_EQ(ReadFileIndex(), -1) << bad;
        EXPECT_EQ(ReadPanelPos().X, 7);
        EXPECT_EQ(ReadPanelPos().Y, -1);
    }
}

} // namespace
} // namespace paperkit
