#include "rotation/data_folder_moves.h"
#include "rotation/file_index.h"
#include "rotation/local_paths.h"
#include "rotation/old_files.h"
#include "rotation_fixture.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

/// Every file below the folder, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file())
            files.push_back(it->path().lexically_relative(folder).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

using Files = std::vector<std::string>;

TEST(MoveDataFolders, OldLayoutMigrates) {
    test::DataFoldersFixture folders;
    test::WriteFile(ReceiveFolder / "filetotal.xmz", "t");
    test::WriteFile(ReceiveFolder / "subject/a/c.jpg", "new cover");
    test::WriteFile(ReceiveFolder / "wallpaper/a/p.jpg", "new picture");
    test::WriteFile(DownloadFolder / "subject/b/c.jpg", "own cover");
    test::WriteFile(DownloadFolder / "wallpaper/b/p.jpg", "own picture");
    TWallParas paras;
    paras.DownloadPath = DownloadFolder.string();

    EXPECT_FALSE(MoveDataFolders(paras)) << "a migration alone changes no setting";
    EXPECT_EQ(FilesBelow(DownloadFolder),
              (Files{"download/subject/b/c.jpg", "download/wallpaper/b/p.jpg",
                     "new/subject/a/c.jpg", "new/wallpaper/a/p.jpg"}));
    EXPECT_EQ(test::ReadFile(DownloadFolder / "new/wallpaper/a/p.jpg"), "new picture");
    EXPECT_FALSE(fs::exists(ReceiveFolder / "subject"));
    EXPECT_FALSE(fs::exists(ReceiveFolder / "wallpaper"));
    EXPECT_TRUE(fs::exists(ReceiveFolder / "filetotal.xmz"));

    // Once new/subject exists the step does nothing again.
    test::WriteFile(ReceiveFolder / "subject/late.jpg", "late");
    MoveDataFolders(paras);
    EXPECT_TRUE(fs::exists(ReceiveFolder / "subject/late.jpg"));
}

TEST(MoveDataFolders, FolderWithoutTrailingSeparatorNormalises) {
    test::DataFoldersFixture folders;
    const std::string walls = (folders.root() / "Walls").string();
    test::WriteFile(walls + "subject/s/c.jpg", "cover");
    test::WriteFile(walls + "wallpaper/s/p.jpg", "picture");
    test::WriteFile(walls + "/wallpaper/keep.jpg", "already there"); // target exists: not moved
    DownloadFolder = walls;
    TWallParas paras;
    paras.DownloadPath = walls;

    EXPECT_TRUE(MoveDataFolders(paras));
    EXPECT_EQ(paras.DownloadPath, walls + "/");
    EXPECT_EQ(DownloadFolder.string(), walls + "/");
    EXPECT_EQ(FilesBelow(walls), (Files{"subject/s/c.jpg", "wallpaper/keep.jpg"}));
    EXPECT_FALSE(fs::exists(walls + "subject"));
    EXPECT_TRUE(fs::exists(walls + "wallpaper/s/p.jpg"));

    // Normalised already: nothing changes.
    EXPECT_FALSE(MoveDataFolders(paras));
}

TEST(MoveDataFolders, PendingMoveRunsOnce) {
    test::DataFoldersFixture folders;
    test::WriteFile(DownloadFolder / "download/wallpaper/a/p.jpg", "picture");
    test::WriteFile(DownloadFolder / "new/subject/c.jpg", "cover");
    const fs::path oldFolder = DownloadFolder;
    const std::string target = (folders.root() / "Moved" / "Here").string() + "/";
    WriteDownloadDir(target);
    WriteFileIndex(4);
    TWallParas paras;
    paras.DownloadPath = oldFolder.string();

    EXPECT_TRUE(MoveDataFolders(paras));
    EXPECT_EQ(ReadDownloadDir(), "");
    EXPECT_EQ(ReadFileIndex(), 4);
    EXPECT_EQ(paras.DownloadPath, target);
    EXPECT_EQ(DownloadFolder, fs::path(target));
    EXPECT_EQ(FilesBelow(target), (Files{"download/wallpaper/a/p.jpg", "new/subject/c.jpg"}));
    EXPECT_FALSE(fs::exists(oldFolder));

    EXPECT_FALSE(MoveDataFolders(paras)) << "the move is not repeated";
    EXPECT_EQ(DownloadFolder, fs::path(target));
}

TEST(MoveDataFolders, RefusedMovesLoseNothing) {
    test::DataFoldersFixture folders;
    test::WriteFile(DownloadFolder / "download/wallpaper/a/p.jpg", "picture");
    const fs::path current = DownloadFolder;
    const std::string blocker = (folders.root() / "file").string();
    test::WriteFile(blocker, "a file where the folder should go");
    const std::vector<std::string> refused = {
        current.string(),                                        // the folder itself
        current.string().substr(0, current.string().size() - 1), // the same without separator
        (current / "download").string() + "/",                   // inside it
        (current / "x" / ".." / "new").string(),                 // inside it, spelled otherwise
        "relative/folder/",                                      // not absolute
        blocker + "/sub/",                                       // cannot be created
    };
    for (const std::string& target : refused) {
        SCOPED_TRACE(target);
        WriteDownloadDir(target);
        TWallParas paras;
        paras.DownloadPath = current.string();
        EXPECT_FALSE(MoveDataFolders(paras));
        EXPECT_EQ(ReadDownloadDir(), "") << "the refused move is forgotten";
        EXPECT_EQ(DownloadFolder, current);
        EXPECT_EQ(paras.DownloadPath, current.string());
        EXPECT_EQ(test::ReadFile(current / "download/wallpaper/a/p.jpg"), "picture");
        EXPECT_EQ(FilesBelow(current), (Files{"download/wallpaper/a/p.jpg"}));
    }
}

TEST(MoveDataFolders, FilesThatFailToCopyStayAtTheSource) {
    test::DataFoldersFixture folders;
    test::WriteFile(DownloadFolder / "download/wallpaper/blocked.jpg", "mine");
    test::WriteFile(DownloadFolder / "download/wallpaper/fine.jpg", "fine");
    const fs::path oldFolder = DownloadFolder;
    const fs::path target = folders.root() / "New";
    // A folder in the target where a file should go makes that file's copy fail.
    fs::create_directories(target / "download/wallpaper/blocked.jpg");
    WriteDownloadDir(target.string() + "/");
    TWallParas paras;

    MoveDataFolders(paras);
    EXPECT_EQ(test::ReadFile(oldFolder / "download/wallpaper/blocked.jpg"), "mine");
    EXPECT_EQ(test::ReadFile(target / "download/wallpaper/fine.jpg"), "fine");
    EXPECT_FALSE(fs::exists(oldFolder / "download/wallpaper/fine.jpg"));
}

std::unique_ptr<TWallSubject> Album(const std::string& path, const std::string& cover,
                                    const std::vector<std::string>& pictures) {
    auto album = std::make_unique<TWallSubject>();
    album->LocalPath = path;
    album->FileName = cover;
    for (const std::string& name : pictures) {
        auto image = std::make_unique<TWallImage>();
        image->FileName = name;
        album->Images.Add(std::move(image));
    }
    return album;
}

TEST(ClearOldFiles, KeepsExactlyTheListedFiles) {
    test::DataFoldersFixture folders;
    const fs::path subject = DownloadFolder / "new/subject";
    const fs::path wallpaper = DownloadFolder / "new/wallpaper";
    for (const char* f : {"a/c.jpg", "a/old.jpg", "b/c.jpg", "stray.txt"})
        test::WriteFile(subject / f, "x");
    for (const char* f : {"a/1.jpg", "a/2.jpg", "a/3.jpg", "gone/1.jpg"})
        test::WriteFile(wallpaper / f, "x");
    test::WriteFile(DownloadFolder / "download/subject/a/mine.jpg", "user's");
    test::WriteFile(DownloadFolder / "download/wallpaper/a/9.jpg", "user's");
    TWallSubjects latest;
    latest.Add(Album("\\A\\", "C.JPG", {"1.jpg", "2.JPG", "missing.jpg"})); // letter case differs
    latest.Add(Album("\\..\\", "x.jpg", {"x.jpg"}));                        // hostile: kept nothing
    TWallLastVers versions;
    auto version = std::make_unique<TWallLastVer>();
    version->FileName = "paperkit";
    test::WriteFile(UpdateFile(*version), "x");
    versions.Add(std::move(version));
    test::WriteFile(ReceiveFolder / "update/old.xyz", "x");
    test::WriteFile(ReceiveFolder / "setupfile.xmz", "x");

    ClearOldFiles(latest, versions);
    EXPECT_EQ(FilesBelow(subject), (Files{"a/c.jpg"}));
    EXPECT_EQ(FilesBelow(wallpaper), (Files{"a/1.jpg", "a/2.jpg"}));
    EXPECT_TRUE(fs::is_directory(wallpaper / "gone")) << "emptied folders stay";
    EXPECT_EQ(FilesBelow(DownloadFolder / "download"),
              (Files{"subject/a/mine.jpg", "wallpaper/a/9.jpg"}));
    EXPECT_EQ(FilesBelow(ReceiveFolder / "update"),
              (Files{UpdateFile(*versions.Get(0)).filename().string()}));
    EXPECT_TRUE(fs::exists(ReceiveFolder / "setupfile.xmz"));

    // An empty latest list clears both picture folders.
    const TWallSubjects none;
    ClearOldFiles(none, versions);
    EXPECT_TRUE(FilesBelow(subject).empty());
    EXPECT_TRUE(FilesBelow(wallpaper).empty());
}

TEST(ClearOldFiles, ADanglingLinkDoesNotEndThePass) {
    test::DataFoldersFixture folders;
    const fs::path wallpaper = DownloadFolder / "new/wallpaper";
    // Files on both sides of the link, whatever order the folder lists them in.
    for (int i = 0; i < 10; ++i)
        test::WriteFile(wallpaper / ("before" + std::to_string(i) + ".jpg"), "x");
    fs::create_symlink(folders.root() / "nothing here", wallpaper / "dangling.jpg");
    for (int i = 0; i < 10; ++i)
        test::WriteFile(wallpaper / ("after" + std::to_string(i) + ".jpg"), "x");

    ClearOldFiles(TWallSubjects(), TWallLastVers());
    EXPECT_TRUE(FilesBelow(wallpaper).empty());
    EXPECT_TRUE(fs::is_symlink(wallpaper / "dangling.jpg"));
}

TEST(ClearOldFiles, NeverReachesIntoTheUsersDownloads) {
    test::DataFoldersFixture folders;
    test::WriteFile(DownloadFolder / "download/wallpaper/a/9.jpg", "user's");
    test::WriteFile(folders.root() / "elsewhere/file.jpg", "outside");
    fs::create_directories(DownloadFolder / "new/subject");
    fs::create_directory_symlink(DownloadFolder / "download", DownloadFolder / "new/subject/link");
    fs::create_directory_symlink(folders.root() / "elsewhere", DownloadFolder / "new/subject/out");
    fs::create_directory_symlink(DownloadFolder / "download", DownloadFolder / "new/wallpaper");

    const TWallSubjects subjects;
    const TWallLastVers versions;
    ClearOldFiles(subjects, versions);
    EXPECT_EQ(test::ReadFile(DownloadFolder / "download/wallpaper/a/9.jpg"), "user's");
    EXPECT_EQ(test::ReadFile(folders.root() / "elsewhere/file.jpg"), "outside");
}

} // namespace
} // namespace paperkit
