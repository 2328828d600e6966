#include "support/temp_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

/// Sets TMPDIR for one test and puts the sandbox's value back afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void TearDown() override { setenv("TMPDIR", m_saved.c_str(), 1); }
    std::string m_saved = std::getenv("TMPDIR");
};

TEST_F(TempFolderTest, IsTmpdirWithoutTrailingSeparatorElseTmp) {
    setenv("TMPDIR", (m_saved + "//").c_str(), 1);
    EXPECT_EQ(TempFolder(), fs::path(m_saved));
    setenv("TMPDIR", "", 1);
    EXPECT_EQ(TempFolder(), fs::path("/tmp"));
    unsetenv("TMPDIR");
    EXPECT_EQ(TempFolder(), fs::path("/tmp"));
}

TEST_F(TempFolderTest, MakesNewEmptyFilesInTheTemporaryFolder) {
    const fs::path first = MakeTempFile("A000");
    const fs::path second = MakeTempFile("A000");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    for (const fs::path& file : {first, second}) {
        EXPECT_EQ(file.parent_path(), TempFolder());
        EXPECT_TRUE(file.filename().string().starts_with("A000"));
        EXPECT_TRUE(fs::is_regular_file(file));
        EXPECT_EQ(fs::file_size(file), 0u);
    }
    EXPECT_EQ(MakeTempFile("../escape").parent_path(), TempFolder());

    setenv("TMPDIR", (m_saved + "/missing").c_str(), 1);
    EXPECT_TRUE(MakeTempFile("A000").empty());
}

} // namespace
} // namespace paperkit
