#include "support/file_list.h"
#include "testsupport/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

TEST(ListFiles, ListsDepthFirstInTheFileSystemsOrder) {
    TempDir dir;
    WriteFile(dir / "a.jpg", "a");
    WriteFile(dir / "s" / "b.jpg", "b");
    WriteFile(dir / "c.jpg", "c");
    WriteFile(dir / ".hidden", "h");

    // The file system decides the order; the subfolder's files belong where it is met.
    std::vector<fs::path> expected;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        expected.push_back(entry.is_directory() ? entry.path() / "b.jpg" : entry.path());

    std::vector<fs::path> list{"kept"};
    ListFiles(dir.path(), list, true);
    expected.insert(expected.begin(), "kept");
    EXPECT_EQ(list, expected);

    list.clear();
    ListFiles(dir.path(), list, false);
    EXPECT_THAT(list, UnorderedElementsAre(dir / "a.jpg", dir / "c.jpg", dir / ".hidden"));
}

TEST(ListFiles, CountsLinksByTargetAndSkipsWhatIsNoFile) {
    TempDir dir;
    WriteFile(dir / "pics" / "p.jpg", "p");
    fs::create_symlink(dir / "pics" / "p.jpg", dir / "pics" / "link.jpg");
    fs::create_symlink(dir / "nowhere", dir / "pics" / "dangling.jpg");
    fs::create_directory_symlink(dir / "pics", dir / "pics" / "loop");
    ASSERT_EQ(::mkfifo((dir / "pics" / "fifo").c_str(), 0600), 0);

    std::vector<fs::path> list;
    ListFiles(dir / "pics", list, true);
    EXPECT_THAT(list, UnorderedElementsAre(dir / "pics" / "p.jpg", dir / "pics" / "link.jpg"));

    list.clear();
    ListFiles(dir / "missing", list, true);
    ListFiles(dir / "pics" / "p.jpg", list, true);
    EXPECT_TRUE(list.empty());
}

TEST(LoadTextList, ReplacesTheListByTheFilesLines) {
    TempDir dir;
    WriteFile(dir / "wdownload.tmp", "/a/one.pkd\r\n/b/two.pkd\n\nlast");
    std::vector<std::string> list{"old"};
    ASSERT_TRUE(LoadTextList(list, dir / "wdownload.tmp"));
    EXPECT_THAT(list, ElementsAre("/a/one.pkd", "/b/two.pkd", "", "last"));

    EXPECT_FALSE(LoadTextList(list, dir / "missing"));
    EXPECT_FALSE(LoadTextList(list, dir.path()));
    EXPECT_EQ(list.size(), 4u);
}

} // namespace
} // namespace paperkit
