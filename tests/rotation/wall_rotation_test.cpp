#include "rotation/file_index.h"
#include "rotation/local_paths.h"
#include "rotation/wall_rotation.h"
#include "rotation_fixture.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

enum class Layout {
    TwoAlbums,   // downloaded albums A (A1 A2 A3) and B (B1 B2)
    OneAlbum,    // album A only
    FolderTwice, // folder F (F1), album A, folder F again: F1 A1 A2 A3 F1
    FolderFirst, // folder F (F1), album A: F1 A1 A2 A3
    Extensions,  // folder holding a.jpg b.JPEG c.Gif d.bmp e.png
};

enum class Op { Next, Prior, NextTitle, PriorTitle, Show, Goto, Load, ReloadWithoutFolder };

struct Case {
    const char* name;
    Layout layout;
    std::set<std::string> missing;
    int start;
    Op op;
    int position;        // expected position afterwards
    std::string applied; // stem of the file applied, empty for none
    std::string key = {};
    std::vector<std::string> listed = {}; // Op::Load: the file names listed, in any order
};

std::unique_ptr<TWallSubject> Album(int id, const std::string& name, int count) {
    auto album = std::make_unique<TWallSubject>();
    album->Id = id;
    album->LocalPath = "\\" + name + "\\";
    for (int no = 1; no <= count; ++no) {
        auto image = std::make_unique<TWallImage>();
        image->No = no;
        image->FileName = name + std::to_string(no) + ".jpg";
        album->Images.Add(std::move(image));
    }
    return album;
}

void AddEntry(TWallPapers& list, char type, const std::string& id, char hasSub = 'N') {
    auto entry = std::make_unique<TWallPaper>();
    entry->Type = type;
    entry->Id = id;
    entry->HasSub = hasSub;
    list.Add(std::move(entry));
}

void CreatePictures(const TWallSubject& album, const std::set<std::string>& missing) {
    for (const TWallImage& image : album.Images) {
        if (!missing.contains(fs::path(image.FileName).stem().string()))
            test::WriteFile(*DownImageFile(image), "picture");
    }
}

/// Builds the catalog of the layout and creates its files, leaving out the missing ones.
void Build(Layout layout, const std::set<std::string>& missing, const fs::path& root,
           TMainSetupFiles& catalog) {
    const fs::path folder = root / "F";
    auto addFolder = [&] {
        AddEntry(catalog.WallPapers, '0', folder.string());
        if (!missing.contains("F1"))
            test::WriteFile(folder / "F1.jpg", "picture");
    };
    switch (layout) {
    case Layout::TwoAlbums:
    case Layout::OneAlbum:
        catalog.DSubjects.Add(Album(1, "A", 3));
        AddEntry(catalog.WallPapers, '2', "1");
        if (layout == Layout::TwoAlbums) {
            catalog.DSubjects.Add(Album(2, "B", 2));
            AddEntry(catalog.WallPapers, '2', "2");
        }
        break;
    case Layout::FolderTwice:
    case Layout::FolderFirst:
        addFolder();
        catalog.DSubjects.Add(Album(1, "A", 3));
        AddEntry(catalog.WallPapers, '2', "1");
        if (layout == Layout::FolderTwice)
            AddEntry(catalog.WallPapers, '0', folder.string());
        break;
    case Layout::Extensions:
        for (const char* name : {"a.jpg", "b.JPEG", "c.Gif", "d.bmp", "e.png"})
            test::WriteFile(folder / name, "picture");
        AddEntry(catalog.WallPapers, '0', folder.string());
        break;
    }
    for (const TWallSubject& album : catalog.DSubjects)
        CreatePictures(album, missing);
}

const std::string KeyF = "0:"; // completed with the folder path in the test

TEST(WallRotation, StepsFollowTheTable) {
    const std::set<std::string> noB = {"B1", "B2"};
    const std::vector<Case> cases = {
        {"next from A2", Layout::TwoAlbums, {}, 1, Op::Next, 2, "A3"},
        {"next from A3 enters B", Layout::TwoAlbums, {}, 2, Op::Next, 3, "B1"},
        {"next from B2 wraps", Layout::TwoAlbums, {}, 4, Op::Next, 0, "A1"},
        {"prior from A1 wraps", Layout::TwoAlbums, {}, 0, Op::Prior, 4, "B2"},
        {"prior title from B1", Layout::TwoAlbums, {}, 3, Op::PriorTitle, 0, "A1"},
        {"next title from A2", Layout::TwoAlbums, {}, 1, Op::NextTitle, 3, "B1"},
        {"next title from B2 wraps", Layout::TwoAlbums, {}, 4, Op::NextTitle, 0, "A1"},
        {"prior title from A1 wraps to B1", Layout::TwoAlbums, {}, 0, Op::PriorTitle, 3, "B1"},
        {"A1 missing: prior title from B2", Layout::TwoAlbums, {"A1"}, 4, Op::PriorTitle, 1, "A2"},
        {"A1 missing: next skips it", Layout::TwoAlbums, {"A1"}, 4, Op::Next, 1, "A2"},
        {"B missing: next title finds nothing", Layout::TwoAlbums, noB, 1, Op::NextTitle, 1, ""},
        {"B missing: prior title finds nothing", Layout::TwoAlbums, noB, 1, Op::PriorTitle, 1, ""},
        {"B missing: next from A3", Layout::TwoAlbums, noB, 2, Op::Next, 0, "A1"},
        {"B missing: prior from A1", Layout::TwoAlbums, noB, 0, Op::Prior, 2, "A3"},
        {"one album: next title", Layout::OneAlbum, {}, 1, Op::NextTitle, 1, ""},
        {"one album: prior title", Layout::OneAlbum, {}, 1, Op::PriorTitle, 1, ""},
        {"one album: next wraps inside it", Layout::OneAlbum, {}, 2, Op::Next, 0, "A1"},
        {"nothing openable: next", Layout::OneAlbum, {"A1", "A2", "A3"}, 1, Op::Next, 1, ""},
        {"nothing openable: show", Layout::OneAlbum, {"A1", "A2", "A3"}, 1, Op::Show, 1, ""},
        {"position -1: next", Layout::TwoAlbums, {}, -1, Op::Next, 0, "A1"},
        {"position -1: prior", Layout::TwoAlbums, {}, -1, Op::Prior, 4, "B2"},
        {"position -1: show", Layout::TwoAlbums, {}, -1, Op::Show, 0, "A1"},
        {"position -1: prior title", Layout::TwoAlbums, {}, -1, Op::PriorTitle, 3, "B1"},
        {"position -1: next title", Layout::TwoAlbums, {}, -1, Op::NextTitle, 0, "A1"},
        {"position -7: next", Layout::TwoAlbums, {}, -7, Op::Next, 0, "A1"},
        {"show re-applies the current", Layout::TwoAlbums, {}, 3, Op::Show, 3, "B1"},
        {"show passes a missing current", Layout::TwoAlbums, {"B1"}, 3, Op::Show, 4, "B2"},
        {"stored index past the end", Layout::TwoAlbums, {}, 40, Op::Show, 0, "A1"},
        {"past the end, first missing", Layout::TwoAlbums, {"A1"}, 40, Op::Show, 1, "A2"},
        {"past the end: next", Layout::TwoAlbums, {}, 40, Op::Next, 0, "A1"},
        {"past the end: prior", Layout::TwoAlbums, {}, 40, Op::Prior, 4, "B2"},
        {"goto B", Layout::TwoAlbums, {}, 0, Op::Goto, 3, "B1", "2:2"},
        {"goto B, B1 missing", Layout::TwoAlbums, {"B1"}, 0, Op::Goto, 4, "B2", "2:2"},
        {"goto an unknown album", Layout::TwoAlbums, {}, 1, Op::Goto, 1, "", "2:9"},
        {"goto compares the key exactly", Layout::TwoAlbums, {}, 1, Op::Goto, 1, "", "2:02"},
        {"folder twice: goto lands in the first run",
         Layout::FolderTwice,
         {},
         3,
         Op::Goto,
         0,
         "F1",
         KeyF},
        {"folder twice: next title from F", Layout::FolderTwice, {}, 0, Op::NextTitle, 1, "A1"},
        {"folder twice: next title from A", Layout::FolderTwice, {}, 2, Op::NextTitle, 4, "F1"},
        {"folder twice: next title skips the second run",
         Layout::FolderTwice,
         {"A1", "A2", "A3"},
         0,
         Op::NextTitle,
         0,
         ""},
        // Walking back from A wraps into the second run, whose key is the first run's: the walk
        // ends on the last openable file it met.
        {"folder twice: prior title from A", Layout::FolderTwice, {}, 1, Op::PriorTitle, 4, "F1"},
        {"extension filter",
         Layout::Extensions,
         {},
         0,
         Op::Load,
         0,
         "",
         "",
         {"a.jpg", "c.Gif", "d.bmp"}},
        {"reload: the folder left the list",
         Layout::FolderFirst,
         {},
         0,
         Op::ReloadWithoutFolder,
         0,
         ""},
        {"reload: the position follows the picture",
         Layout::FolderFirst,
         {},
         2,
         Op::ReloadWithoutFolder,
         1,
         ""},
        {"reload from no current picture",
         Layout::FolderFirst,
         {},
         -1,
         Op::ReloadWithoutFolder,
         0,
         ""},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DataFoldersFixture folders;
        TMainSetupFiles catalog;
        Build(c.layout, c.missing, folders.root(), catalog);
        test::FakeWallpaperSetter setter;
        TWallRotation rotation(setter);
        rotation.LoadWallFiles(catalog);
        rotation.SetPosition(c.start);
        const std::string key = c.key == KeyF ? KeyF + (folders.root() / "F").string() : c.key;

        switch (c.op) {
        case Op::Next:
            rotation.NextWallpaper();
            break;
        case Op::Prior:
            rotation.PriorWallpaper();
            break;
        case Op::NextTitle:
            rotation.NextTitle();
            break;
        case Op::PriorTitle:
            rotation.PriorTitle();
            break;
        case Op::Show:
            rotation.ShowWallpaper();
            break;
        case Op::Goto:
            rotation.GotoTitle(key);
            break;
        case Op::Load: {
            std::vector<std::string> names;
            for (const TWallFileInfo& file : rotation.Files())
                names.push_back(fs::path(file.FileName).filename().string());
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, c.listed);
            break;
        }
        case Op::ReloadWithoutFolder:
            catalog.WallPapers.Delete(0);
            rotation.ReloadWallFiles(catalog);
            break;
        }

        EXPECT_EQ(rotation.Position(), c.position);
        if (c.applied.empty()) {
            EXPECT_TRUE(setter.applied.empty());
            EXPECT_EQ(ReadFileIndex(), -1) << "nothing applied, nothing stored";
        } else {
            ASSERT_EQ(setter.applied.size(), 1u);
            EXPECT_EQ(setter.applied[0].stem().string(), c.applied);
            EXPECT_EQ(setter.applied[0], fs::path(rotation.Files().Get(c.position)->FileName));
            EXPECT_EQ(ReadFileIndex(), c.position);
        }
    }
}

TEST(WallRotation, ListRecordsTheirSourceAndKeepsEveryImage) {
    test::DataFoldersFixture folders;
    TMainSetupFiles catalog;
    catalog.Subjects.Add(Album(7, "N", 2));
    catalog.DSubjects.Add(Album(7, "D", 1));
    AddEntry(catalog.WallPapers, '1', "7");
    AddEntry(catalog.WallPapers, '2', "7");
    AddEntry(catalog.WallPapers, '2', "8");                                // not in the catalog
    AddEntry(catalog.WallPapers, '0', (folders.root() / "none").string()); // no such folder
    AddEntry(catalog.WallPapers, '2', "x7");                               // not a number
    AddEntry(catalog.WallPapers, '9', "7");                                // unknown kind
    test::FakeWallpaperSetter setter;
    TWallRotation rotation(setter);
    rotation.LoadWallFiles(catalog); // nothing is on disk: pictures are listed all the same

    ASSERT_EQ(rotation.Files().Count(), 3);
    const TWallFileInfo& first = *rotation.Files().Get(0);
    EXPECT_EQ(first.FileName, (DownloadFolder / "new" / "wallpaper" / "N" / "N1.jpg").string());
    EXPECT_EQ(AlbumKey(first), "1:7");
    const TWallFileInfo& third = *rotation.Files().Get(2);
    EXPECT_EQ(third.FileName,
              (DownloadFolder / "download" / "wallpaper" / "D" / "D1.jpg").string());
    EXPECT_EQ(AlbumKey(third), "2:7");
}

TEST(WallRotation, FolderWithSubfoldersOnlyWhenAsked) {
    test::DataFoldersFixture folders;
    const fs::path folder = folders.root() / "pics";
    test::WriteFile(folder / "top.jpg", "x");
    test::WriteFile(folder / "sub" / "deep.jpg", "x");
    for (char hasSub : {'N', 'Y'}) {
        TMainSetupFiles catalog;
        AddEntry(catalog.WallPapers, '0', folder.string(), hasSub);
        test::FakeWallpaperSetter setter;
        TWallRotation rotation(setter);
        rotation.LoadWallFiles(catalog);
        EXPECT_EQ(rotation.Files().Count(), hasSub == 'Y' ? 2 : 1) << hasSub;
    }
}

TEST(WallRotation, IndexOfWallFileFallsBackToZero) {
    test::DataFoldersFixture folders;
    TMainSetupFiles catalog;
    Build(Layout::FolderTwice, {}, folders.root(), catalog);
    test::FakeWallpaperSetter setter;
    TWallRotation rotation(setter);
    rotation.LoadWallFiles(catalog);
    const std::string f1 = rotation.Files().Get(0)->FileName;
    EXPECT_EQ(rotation.IndexOfWallFile(rotation.Files().Get(2)->FileName), 2);
    EXPECT_EQ(rotation.IndexOfWallFile(f1), 0); // listed twice: the first
    EXPECT_EQ(rotation.IndexOfWallFile(""), 0);
    EXPECT_EQ(rotation.IndexOfWallFile("/nowhere.jpg"), 0);
}

TEST(WallRotation, PicturesThatCannotBeOpenedArePassedOver) {
    test::DataFoldersFixture folders;
    TMainSetupFiles catalog;
    Build(Layout::TwoAlbums, {}, folders.root(), catalog);
    test::FakeWallpaperSetter setter;
    setter.answer = false; // the library's refusal does not matter
    TWallRotation rotation(setter);
    rotation.LoadWallFiles(catalog);
    // A2 turned into a folder: it exists, but is no picture file.
    const fs::path a2 = rotation.Files().Get(1)->FileName;
    fs::remove(a2);
    fs::create_directory(a2);
    rotation.SetPosition(0);
    rotation.NextWallpaper();
    EXPECT_EQ(rotation.Position(), 2);
    EXPECT_EQ(ReadFileIndex(), 2);
}

TEST(WallRotation, EmptyListDoesNothing) {
    test::DataFoldersFixture folders;
    test::FakeWallpaperSetter setter;
    TWallRotation rotation(setter);
    rotation.SetPosition(3);
    rotation.NextWallpaper();
    rotation.PriorWallpaper();
    rotation.NextTitle();
    rotation.PriorTitle();
    rotation.ShowWallpaper();
    rotation.GotoTitle("0:");
    EXPECT_EQ(rotation.Position(), 3);
    EXPECT_TRUE(setter.applied.empty());
    rotation.ReloadWallFiles(TMainSetupFiles{});
    EXPECT_EQ(rotation.Position(), 0);
}

} // namespace
} // namespace paperkit
