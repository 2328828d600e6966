#include "support/file_tree.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(ForceFileFolder, CreatesEveryMissingFolder) {
    TempDir dir;
    EXPECT_TRUE(ForceFileFolder(dir / "a" / "b" / "c.jpg"));
    EXPECT_TRUE(fs::is_directory(dir / "a" / "b"));
    EXPECT_FALSE(fs::exists(dir / "a" / "b" / "c.jpg"));
    EXPECT_TRUE(ForceFileFolder("relative-without-folder"));

    WriteFile(dir / "file", "x");
    EXPECT_FALSE(ForceFileFolder(dir / "file" / "sub" / "c.jpg"));
}

TEST(CopyTree, CopiesNestedFoldersAndKeepsExistingTargetFiles) {
    TempDir dir;
    WriteFile(dir / "src" / "a.jpg", "new a");
    WriteFile(dir / "src" / "s" / "t" / "b.jpg", "b");
    fs::create_directory(dir / "src" / "empty");
    WriteFile(dir / "dst" / "a.jpg", "old a");

    const fs::path cwd = fs::current_path();
    ASSERT_TRUE(CopyTree(dir / "src", dir / "dst"));
    EXPECT_EQ(fs::current_path(), cwd);
    EXPECT_EQ(ReadFile(dir / "dst" / "a.jpg"), "old a");
    EXPECT_EQ(ReadFile(dir / "dst" / "s" / "t" / "b.jpg"), "b");
    EXPECT_TRUE(fs::is_directory(dir / "dst" / "empty"));
    EXPECT_EQ(ReadFile(dir / "src" / "a.jpg"), "new a");

    ASSERT_TRUE(CopyTree(dir / "src", dir / "fresh" / "deep"));
    EXPECT_EQ(ReadFile(dir / "fresh" / "deep" / "a.jpg"), "new a");
}

TEST(CopyTree, RefusesSourcesItCannotWalkAndTargetsInsideTheSource) {
    TempDir dir;
    WriteFile(dir / "src" / "a.jpg", "a");
    WriteFile(dir / "file", "x");
    EXPECT_FALSE(CopyTree("", dir / "dst"));
    EXPECT_FALSE(CopyTree(dir / "missing", dir / "dst"));
    EXPECT_FALSE(CopyTree(dir / "file", dir / "dst"));
    EXPECT_FALSE(CopyTree(dir / "src", dir / "file" / "dst"));
    EXPECT_FALSE(CopyTree(dir / "src", dir / "src"));
    EXPECT_FALSE(CopyTree(dir / "src", dir / "src" / "inner"));
    EXPECT_FALSE(CopyTree(dir / "src" / ".", dir / "src" / ".." / "src" / "x"));
    EXPECT_FALSE(fs::exists(dir / "dst"));
    EXPECT_FALSE(fs::exists(dir / "src" / "inner"));
    EXPECT_TRUE(CopyTree(dir / "src", dir / "src-copy")); // a name that merely starts alike
}

TEST(DeleteTree, DeletesEverythingButNeverFollowsLinksOutOfTheTree) {
    TempDir dir;
    WriteFile(dir / "outside" / "keep.jpg", "keep");
    WriteFile(dir / "tree" / "a.jpg", "a");
    WriteFile(dir / "tree" / "s" / "b.jpg", "b");
    fs::create_directory_symlink(dir / "outside", dir / "tree" / "s" / "link");
    fs::create_symlink(dir / "outside" / "keep.jpg", dir / "tree" / "file-link");

    EXPECT_TRUE(DeleteTree(dir / "tree"));
    EXPECT_FALSE(fs::exists(dir / "tree"));
    EXPECT_EQ(ReadFile(dir / "outside" / "keep.jpg"), "keep");

    EXPECT_TRUE(DeleteTree(dir / "tree"));
    EXPECT_FALSE(DeleteTree(dir / "outside" / "keep.jpg"));
    EXPECT_TRUE(fs::exists(dir / "outside" / "keep.jpg"));
}

TEST(CopyTree, CopiesLinksAsLinksOrAsFileContent) {
    TempDir dir;
    WriteFile(dir / "outside" / "o.jpg", "o");
    WriteFile(dir / "src" / "a.jpg", "a");
    fs::create_directory_symlink(dir / "outside", dir / "src" / "folder-link");
    fs::create_symlink(dir / "src" / "a.jpg", dir / "src" / "file-link");

    ASSERT_TRUE(CopyTree(dir / "src", dir / "dst"));
    EXPECT_TRUE(fs::is_symlink(dir / "dst" / "folder-link"));
    EXPECT_FALSE(fs::is_symlink(dir / "dst" / "file-link"));
    EXPECT_EQ(ReadFile(dir / "dst" / "file-link"), "a");
}

TEST(MoveTree, MovesTheTreeAndRemovesTheSource) {
    TempDir dir;
    WriteFile(dir / "src" / "a.jpg", "a");
    WriteFile(dir / "src" / "s" / "b.jpg", "b");
    WriteFile(dir / "dst" / "a.jpg", "target's a");

    EXPECT_TRUE(MoveTree(dir / "src", dir / "dst"));
    EXPECT_FALSE(fs::exists(dir / "src"));
    EXPECT_EQ(ReadFile(dir / "dst" / "a.jpg"), "target's a");
    EXPECT_EQ(ReadFile(dir / "dst" / "s" / "b.jpg"), "b");
}

TEST(MoveTree, LeavesWhatCouldNotBeCopiedAtTheSource) {
    TempDir dir;
    WriteFile(dir / "src" / "s" / "stuck.jpg", "only copy");
    WriteFile(dir / "src" / "s" / "moved.jpg", "m");
    WriteFile(dir / "src" / "other" / "c.jpg", "c");
    ASSERT_EQ(::mkfifo((dir / "src" / "pipe").c_str(), 0600), 0);
    fs::create_directories(dir / "dst" / "s" / "stuck.jpg"); // a folder blocks the copy

    EXPECT_FALSE(MoveTree(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadFile(dir / "src" / "s" / "stuck.jpg"), "only copy");
    EXPECT_TRUE(fs::exists(fs::symlink_status(dir / "src" / "pipe")));
    EXPECT_FALSE(fs::exists(dir / "src" / "s" / "moved.jpg"));
    EXPECT_FALSE(fs::exists(dir / "src" / "other"));
    EXPECT_EQ(ReadFile(dir / "dst" / "s" / "moved.jpg"), "m");
    EXPECT_EQ(ReadFile(dir / "dst" / "other" / "c.jpg"), "c");
}

TEST(MoveTree, MovesNothingWhenTheTargetCannotBeCreated) {
    TempDir dir;
    WriteFile(dir / "src" / "a.jpg", "a");
    WriteFile(dir / "file", "x");
    EXPECT_FALSE(MoveTree(dir / "src", dir / "file" / "dst"));
    EXPECT_FALSE(MoveTree(dir / "src", dir / "src"));
    EXPECT_EQ(ReadFile(dir / "src" / "a.jpg"), "a");
}

} // namespace
} // namespace paperkit
