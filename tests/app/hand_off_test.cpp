#include "app/hand_off.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(HandOff, LinesOfSeveralStartsTravelAsOneCommandAndTheFileGoes) {
    test::TempDir dir;
    const auto file = dir / "wdownload.tmp";
    ASSERT_TRUE(AppendHandOff(file, "/home/u/a.pkd"));
    ASSERT_TRUE(AppendHandOff(file, "/home/u/b c.pkd"));
    EXPECT_EQ(test::ReadFile(file), "/home/u/a.pkd\r\n/home/u/b c.pkd\r\n");

    EXPECT_EQ(TakeHandOff(file), "WebDownload:/home/u/a.pkd\r\n/home/u/b c.pkd\r\n");
    EXPECT_FALSE(std::filesystem::exists(file));
    // The later message of the second start finds nothing left.
    EXPECT_EQ(TakeHandOff(file), std::nullopt);
}

TEST(HandOff, EmptyOrMissingFileQueuesNothingAndIsDeleted) {
    test::TempDir dir;
    const auto file = dir / "wdownload.tmp";
    EXPECT_EQ(TakeHandOff(file), std::nullopt);
    test::WriteFile(file, "");
    EXPECT_EQ(TakeHandOff(file), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(HandOff, RefusesWhatCannotBeOneLine) {
    test::TempDir dir;
    // No folder: the file cannot be created, and the caller still sends its message.
    EXPECT_FALSE(AppendHandOff(dir / "missing" / "wdownload.tmp", "/a.pkd"));
    // A line break would smuggle a second path in.
    EXPECT_FALSE(AppendHandOff(dir / "wdownload.tmp", "/a.pkd\r\n/etc/b.pkd"));
    EXPECT_FALSE(std::filesystem::exists(dir / "wdownload.tmp"));
}

} // namespace
} // namespace paperkit
