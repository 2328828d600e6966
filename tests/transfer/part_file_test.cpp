#include "testsupport/temp_dir.h"
#include "transfer/part_file.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

TEST(PartFile, TwoTransfersOfOneTargetKeepTheirBytesApart) {
    test::TempDir dir;
    const fs::path target = dir / "new" / "wallpaper" / "1.jpg";
    PartFile first(target, 100);
    PartFile second(target, 100);
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(first.Start(0));
    ASSERT_TRUE(first.Write("AAAA"));
    // The second job starts while the first is still writing.
    ASSERT_TRUE(second.Open());
    EXPECT_NE(first.PartPath(), second.PartPath());
    EXPECT_EQ(first.PartPath().parent_path(), target.parent_path());
    ASSERT_TRUE(second.Start(0));
    ASSERT_TRUE(second.Write("BB"));
    ASSERT_TRUE(first.Write("CCCC"));

    ASSERT_TRUE(first.Commit());
    EXPECT_EQ(test::ReadFile(target), "AAAACCCC");
    ASSERT_TRUE(second.Write("DD"));
    ASSERT_TRUE(second.Commit());
    EXPECT_EQ(test::ReadFile(target), "BBDD");

    // A transfer that ends without a commit leaves nothing behind.
    {
        PartFile abandoned(target, 100);
        ASSERT_TRUE(abandoned.Open());
        ASSERT_TRUE(abandoned.Write("xx"));
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(target.parent_path())) {
        EXPECT_EQ(entry.path(), target);
        ++files;
    }
    EXPECT_EQ(files, 1);
}

} // namespace
} // namespace paperkit
