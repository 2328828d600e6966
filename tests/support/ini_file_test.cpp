#include "support/ini_file.h"
#include "testsupport/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace paperkit {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(IniFile, ReadsValuesLikeTheProfileFunctions) {
    IniFile ini;
    ini.Parse("\xEF\xBB\xBF; comment=no\n"
              "[WallParas]\r\n"
              "FileIndex = 12 \r\n"
              "DownloadDir=\"  /pics/ \"\n"
              "Empty=\n"
              "[wallparas]\n"
              "X=5\n"
              "[Other]\n"
              "FileIndex=99");
    EXPECT_EQ(ini.Value("WallParas", "FileIndex"), "12");
    EXPECT_EQ(ini.Value("wallPARAS", "fileindex"), "12");
    EXPECT_EQ(ini.Value("WallParas", "DownloadDir"), "  /pics/ ");
    EXPECT_EQ(ini.Value("WallParas", "Empty"), "");
    EXPECT_EQ(ini.Value("WallParas", "X"), std::nullopt); // a second section of the name is ignored
    EXPECT_EQ(ini.Value("Other", "FileIndex"), "99");
    EXPECT_EQ(ini.Value("Missing", "FileIndex"), std::nullopt);
    EXPECT_EQ(ini.Value("WallParas", "Missing"), std::nullopt);
    EXPECT_EQ(ini.Value("", "; comment"), std::nullopt);
}

TEST(IniFile, ChangesOneLineAndKeepsTheRest) {
    IniFile ini;
    ini.Parse("; settings\n[A]\nk1=1\n\n[B]\nk2=2\n");
    ASSERT_TRUE(ini.SetValue("a", "K1", "one"));
    ASSERT_TRUE(ini.SetValue("A", "k3", "3"));
    ASSERT_TRUE(ini.SetValue("C", "k4", "4"));
    EXPECT_EQ(ini.Text(),
              "; settings\r\n[A]\r\nK1=one\r\nk3=3\r\n\r\n[B]\r\nk2=2\r\n[C]\r\nk4=4\r\n");

    EXPECT_TRUE(ini.RemoveValue("A", "k1"));
    EXPECT_FALSE(ini.RemoveValue("A", "k1"));
    EXPECT_EQ(ini.Value("A", "k1"), std::nullopt);
    EXPECT_EQ(ini.Value("B", "k2"), "2");
}

TEST(IniFile, RoundTripsValuesWithBlanksAndQuotes) {
    for (const std::string value : {"", " lead", "trail\t", "\"quoted\"", "'x'", "\"half", "a=b"}) {
        IniFile ini;
        ASSERT_TRUE(ini.SetValue("S", "k", value));
        IniFile reread;
        reread.Parse(ini.Text());
        EXPECT_EQ(reread.Value("S", "k"), value) << '[' << value << ']';
    }
}

// Found by the INI fuzz target: with a second byte-order mark left on the first line, the text
// written read back otherwise than the text it came from.
TEST(IniFile, WrittenTextReadsAsItsSourceWhateverByteOrderMarksItBegan) {
    for (const char* source :
         {"\xEF\xBB\xBF\xEF\xBB\xBF", "\xEF\xBB\xBF\xEF\xBB\xBF[WallParas]\nFileIndex=3\n"}) {
        IniFile ini;
        ini.Parse(source);
        IniFile reread;
        reread.Parse(ini.Text());
        EXPECT_EQ(reread.Text(), ini.Text());
        EXPECT_EQ(reread.Value("WallParas", "FileIndex"), ini.Value("WallParas", "FileIndex"));
    }
    IniFile ini;
    ini.Parse("\xEF\xBB\xBF\xEF\xBB\xBF[WallParas]\nFileIndex=3\n");
    EXPECT_EQ(ini.Value("WallParas", "FileIndex"), "3");
}

TEST(IniFile, RefusesWhatWouldBreakTheLineStructure) {
    IniFile ini;
    ini.Parse("[S]\nk=v\n");
    EXPECT_FALSE(ini.SetValue("S", "k", "v\r\nInjected=1"));
    EXPECT_FALSE(ini.SetValue("S", "a=b", "v"));
    EXPECT_FALSE(ini.SetValue("S", "", "v"));
    EXPECT_FALSE(ini.SetValue("S", ";k", "v"));
    EXPECT_FALSE(ini.SetValue("S]x", "k", "v"));
    EXPECT_FALSE(ini.SetValue("", "k", "v"));
    EXPECT_EQ(ini.Text(), "[S]\r\nk=v\r\n");
}

TEST(IniFileOnDisk, MissingFileReadsAsAbsentAndIsCreatedByTheFirstWrite) {
    TempDir dir;
    const auto file = dir / "fileindex.ini";
    EXPECT_EQ(ReadIniValue(file, "WallParas", "FileIndex"), std::nullopt);
    EXPECT_TRUE(DeleteIniValue(file, "WallParas", "FileIndex"));
    EXPECT_FALSE(std::filesystem::exists(file));

    ASSERT_TRUE(WriteIniValue(file, "WallParas", "FileIndex", "7"));
    EXPECT_EQ(ReadFile(file), "[WallParas]\r\nFileIndex=7\r\n");
    EXPECT_EQ(ReadIniValue(file, "WallParas", "FileIndex"), "7");
}

TEST(IniFileOnDisk, ReplacesTheFileWholeAndLeavesNoTemporaryBehind) {
    TempDir dir;
    const auto file = dir / "fileindex.ini";
    WriteFile(file, "[WallParas]\nX=1\nY=2\n[Keep]\nz=3\n");
    std::filesystem::permissions(file, std::filesystem::perms(0640));

    ASSERT_TRUE(WriteIniValue(file, "WallParas", "X", "10"));
    ASSERT_TRUE(DeleteIniValue(file, "WallParas", "Y"));
    EXPECT_EQ(ReadFile(file), "[WallParas]\r\nX=10\r\n[Keep]\r\nz=3\r\n");
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniFileOnDisk, WritesThroughALinkToItsTarget) {
    TempDir dir;
    WriteFile(dir / "real.ini", "[S]\nk=1\n");
    std::filesystem::create_symlink("real.ini", dir / "link.ini");
    ASSERT_TRUE(WriteIniValue(dir / "link.ini", "S", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadIniValue(dir / "real.ini", "S", "k"), "2");
}

TEST(IniFileOnDisk, FailsCleanlyWhereItCannotWrite) {
    TempDir dir;
    WriteFile(dir / "plain", "not a folder");
    EXPECT_FALSE(WriteIniValue(dir / "plain" / "x.ini", "S", "k", "v"));
    EXPECT_FALSE(WriteIniValue(dir / "missing" / "x.ini", "S", "k", "v"));
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_FALSE(WriteIniValue(dir / "folder.ini", "S", "k", "v"));
    EXPECT_EQ(ReadIniValue(dir / "folder.ini", "S", "k"), std::nullopt);
    // An unset path never means the current folder.
    EXPECT_FALSE(WriteIniValue({}, "S", "k", "v"));
}

} // namespace
} // namespace paperkit
