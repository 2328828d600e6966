#include "support/jpeg.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(IsJpegFile, LooksAtTheFirstTwoBytes) {
    TempDir dir;
    const std::pair<std::string, bool> cases[] = {
        {"", false},         {"\xFF", false},   {"\xFF\xD8", true}, {"\xFF\xD8\xFF\xE0", true},
        {"\xD8\xFF", false}, {"GIF89a", false},
    };
    for (const auto& [bytes, jpeg] : cases) {
        WriteFile(dir / "f", bytes);
        EXPECT_EQ(IsJpegFile(dir / "f"), jpeg) << testing::PrintToString(bytes);
    }
    EXPECT_FALSE(IsJpegFile(dir / "missing"));
    EXPECT_FALSE(IsJpegFile(dir.path()));
}

TEST(WriteBadPicture, ReplacesTheFileByA160By120Jpeg) {
    TempDir dir;
    WriteFile(dir / "broken.jpg", std::string(100000, 'x'));
    ASSERT_TRUE(WriteBadPicture(dir / "broken.jpg"));
    EXPECT_TRUE(IsJpegFile(dir / "broken.jpg"));

    const std::string bytes = ReadFile(dir / "broken.jpg");
    EXPECT_LT(bytes.size(), 100000u);
    EXPECT_TRUE(bytes.ends_with("\xFF\xD9"));
    const size_t frame = bytes.find("\xFF\xC0"); // baseline frame header: height, then width
    ASSERT_NE(frame, std::string::npos);
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes.at(frame + i)); };
    EXPECT_EQ(byte(5) * 256 + byte(6), 120);
    EXPECT_EQ(byte(7) * 256 + byte(8), 160);

    EXPECT_FALSE(WriteBadPicture(dir / "no" / "such" / "folder.jpg"));
}

} // namespace
} // namespace paperkit
