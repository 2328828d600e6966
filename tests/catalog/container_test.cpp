#include "catalog/container.h"
#include "catalog/container_test_util.h"
#include "support/gbk.h"
#include "testsupport/temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace paperkit {
namespace {

namespace fs = std::filesystem;
using test::Deflate;
using test::Payload;
using test::ReadFile;
using test::TempDir;
using test::Tree;
using test::WriteFile;

fs::file_time_type LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(mktime(&tm)));
}

std::int32_t DosTime(int year, int month, int day, int hour, int minute, int second) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day) << 16 |
        static_cast<std::uint32_t>(hour << 11 | minute << 5 | second / 2));
}

std::string Binary() {
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    return bytes;
}

TEST(Container, RoundTripKeepsBytesNameAndTime) {
    TempDir dir;
    const std::string bytes = Binary();
    for (int second : {30, 31}) {
        const fs::path source = dir / "src" / "图片 list.xml";
        WriteFile(source, bytes);
        fs::last_write_time(source, LocalTime(2008, 5, 17, 13, 45, second));
        TMyZip().Pack(source, dir / "packed" / "file.xmz");

        const fs::path out = TMyZip().Unpack(dir / "packed" / "file.xmz", dir / "out");
        EXPECT_EQ(out, dir / "out" / "图片 list.xml");
        EXPECT_EQ(ReadFile(out), bytes);
        EXPECT_EQ(std::chrono::floor<std::chrono::seconds>(fs::last_write_time(out)),
                  std::chrono::floor<std::chrono::seconds>(LocalTime(2008, 5, 17, 13, 45, 30)));
    }
}

TEST(Container, PayloadHasTheExactLayout) {
    TempDir dir;
    const fs::path source = dir / "图片.xml";
    WriteFile(source, "hello");
    fs::last_write_time(source, LocalTime(2008, 5, 17, 13, 45, 31));
    TMyZip().Pack(source, dir / "a.xmz");

    const std::string trailer = "[file1]\r\n"
                                "FileName=" +
                                Utf8ToGbk("图片.xml") +
                                "\r\n"
                                "Password=mosslark\r\n"
                                "FileSize=5\r\n"
                                "FileDate=" +
                                std::to_string(DosTime(2008, 5, 17, 13, 45, 31)) + "\r\n";
    EXPECT_EQ(test::Inflate(ReadFile(dir / "a.xmz")), Payload("hello", trailer));
    EXPECT_EQ(ReadFile(dir / "a.xmz"), Deflate(Payload("hello", trailer)));
}

TEST(Container, DatesPastTheSignBitAreWrittenNegative) {
    TempDir dir;
    WriteFile(dir / "f", "");
    fs::last_write_time(dir / "f", LocalTime(2050, 1, 2, 3, 4, 6));
    TMyZip().Pack(dir / "f", dir / "f.xmz");
    const std::string payload = test::Inflate(ReadFile(dir / "f.xmz"));
    EXPECT_NE(payload.find("FileDate=" + std::to_string(DosTime(2050, 1, 2, 3, 4, 6)) + "\r\n"),
              std::string::npos);
    EXPECT_LT(DosTime(2050, 1, 2, 3, 4, 6), 0);
    EXPECT_EQ(fs::last_write_time(TMyZip().Unpack(dir / "f.xmz", dir / "out")),
              LocalTime(2050, 1, 2, 3, 4, 6));
}

TEST(Container, ReadsTrailersAsAnIniReaderDoes) {
    struct Case {
        const char* what;
        std::string trailer;
        std::string content;
    };
    const Case cases[] = {
        {"keys in another case", "[FILE1]\r\nfilename=x.txt\r\nFILESIZE=3\r\nfileDate=0\r\n",
         "abc"},
        {"no FileSize", "[file1]\r\nFileName=x.txt\r\n", ""},
        {"bad FileSize", "[file1]\r\nFileName=x.txt\r\nFileSize=3x\r\n", ""},
        {"negative FileSize", "[file1]\r\nFileName=x.txt\r\nFileSize=-2\r\n", ""},
        {"LF ends and spaces", "[ file1 ]\nFileName = x.txt \nFileSize= 2\n", "ab"},
        {"first key wins", "[file1]\r\nFileName=x.txt\r\nFileName=y.txt\r\nFileSize=1\r\n", "a"},
        {"other sections ignored",
         "[file2]\r\nFileName=y.txt\r\nFileSize=1\r\n[file1]\r\nFileName=x.txt\r\n", ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteFile(dir / "c.xmz", Deflate(Payload("abcdef", c.trailer)));
        const fs::path out = TMyZip().Unpack(dir / "c.xmz", dir / "out");
        EXPECT_EQ(out, dir / "out" / "x.txt") << c.what;
        EXPECT_EQ(ReadFile(out), c.content) << c.what;
    }
}

TEST(Container, KeepsGbkNamesWhoseTrailByteLooksLikeABackslash) {
    TempDir dir;
    const std::string gbkName = "\x81\x5C.txt";
    WriteFile(dir / "c.xmz",
              Deflate(Payload("ab", "[file1]\r\nFileName=" + gbkName + "\r\nFileSize=2\r\n")));
    const fs::path out = TMyZip().Unpack(dir / "c.xmz", dir / "out");
    EXPECT_EQ(out, dir / "out" / GbkToUtf8(gbkName));
    EXPECT_EQ(ReadFile(out), "ab");
}

TEST(Container, RefusesDamagedOrHostileContainersAndWritesNothing) {
    TempDir valid;
    WriteFile(valid / "v.txt", "content");
    TMyZip().Pack(valid / "v.txt", valid / "v.xmz");
    const std::string good = ReadFile(valid / "v.xmz");
    auto named = [](const std::string& name) {
        return Deflate(Payload("abc", "[file1]\r\nFileName=" + name + "\r\nFileSize=3\r\n"));
    };

    struct Case {
        const char* what;
        std::string container;
    };
    const Case cases[] = {
        {"not zlib", "this is not a container at all"},
        {"empty file", ""},
        {"truncated stream", good.substr(0, good.size() - 6)},
        {"payload under four bytes", Deflate("ab")},
        {"trailer longer than payload", Deflate(Payload("abc", "[file1]\r\n", 1000))},
        {"trailer length with the sign bit", Deflate(Payload("abc", "", 0xFFFFFFF0))},
        {"no trailer", Deflate(Payload("abc", ""))},
        {"no name", Deflate(Payload("abc", "[file1]\r\nFileSize=3\r\n"))},
        {"dot dot", named("..")},
        {"dot", named(".")},
        {"climbs out", named("../evil.txt")},
        {"absolute", named("/tmp/evil.txt")},
        {"subfolder", named("sub/evil.txt")},
        {"backslash", named("..\\evil.txt")},
        {"windows absolute", named("C:\\evil.txt")},
        {"size beyond the bytes",
         Deflate(Payload("abc", "[file1]\r\nFileName=x\r\nFileSize=4\r\n"))},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteFile(dir / "c.xmz", c.container);
        EXPECT_EQ(TMyZip().Unpack(dir / "c.xmz", dir / "out"), fs::path()) << c.what;
        EXPECT_EQ(Tree(dir.path()), std::set<std::string>{"c.xmz"}) << c.what;
    }
    TempDir dir;
    EXPECT_EQ(TMyZip().Unpack(dir / "missing.xmz", dir / "out"), fs::path());
    EXPECT_TRUE(Tree(dir.path()).empty());
}

TEST(Container, RefusesPayloadsOverTheLimit) {
    TempDir dir;
    WriteFile(dir / "big", std::string(4096, 'x'));
    TMyZip().Pack(dir / "big", dir / "big.xmz");
    EXPECT_EQ(TMyZip(1024).Unpack(dir / "big.xmz", dir / "out"), fs::path());
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_THROW(TMyZip(1024).Pack(dir / "big", dir / "again.xmz"), ContainerError);
    EXPECT_FALSE(fs::exists(dir / "again.xmz"));
    EXPECT_EQ(TMyZip().Unpack(dir / "big.xmz", dir / "out"), dir / "out" / "big");
}

// The payload bytes are the file's bytes, the trailer and the trailer's length.
std::size_t PayloadSize(const fs::path& container) {
    return test::Inflate(ReadFile(container)).size();
}

TEST(Container, LimitCountsTheWholePayload) {
    TempDir dir;
    WriteFile(dir / "f", std::string(5000, 'y'));
    TMyZip().Pack(dir / "f", dir / "f.xmz");
    const std::size_t payload = PayloadSize(dir / "f.xmz");
    EXPECT_EQ(TMyZip(payload).Unpack(dir / "f.xmz", dir / "out"), dir / "out" / "f");
    EXPECT_EQ(TMyZip(payload - 1).Unpack(dir / "f.xmz", dir / "other"), fs::path());
}

int g_liveBuffers = 0;

void* CountedAllocate(std::size_t size) {
    ++g_liveBuffers;
    return std::malloc(size);
}

void CountedDeallocate(void* data) {
    --g_liveBuffers;
    std::free(data);
}

// Payloads far larger than their containers suggest grow the buffer many times over.
TEST(Container, UnpackCanKeepTheBytesInTheCallersMemory) {
    TempDir dir;
    std::string mixed;
    for (int i = 0; mixed.size() < 3'000'000; ++i)
        mixed += i % 97 == 0 ? Binary() : std::string(1000, 'z');
    const std::string cases[] = {"", "x", std::string(200'000, 'a'), mixed};
    const PayloadMemory memory{CountedAllocate, CountedDeallocate};
    for (const std::string& bytes : cases) {
        WriteFile(dir / "f.xml", bytes);
        TMyZip().Pack(dir / "f.xml", dir / "f.xmz");
        {
            UnpackedFile unpacked = TMyZip().Unpack(dir / "f.xmz", dir / "out", memory);
            EXPECT_EQ(unpacked.File, dir / "out" / "f.xml");
            EXPECT_EQ(ReadFile(unpacked.File), bytes);
            ASSERT_EQ(unpacked.Size, bytes.size());
            EXPECT_EQ(std::string_view(unpacked.Bytes.get(), unpacked.Size), bytes);
            EXPECT_EQ(g_liveBuffers, 1);
        }
        EXPECT_EQ(g_liveBuffers, 0) << bytes.size();
    }
    WriteFile(dir / "garbage.xmz", "not a container");
    const UnpackedFile failed = TMyZip().Unpack(dir / "garbage.xmz", dir / "out", memory);
    EXPECT_TRUE(failed.File.empty());
    EXPECT_FALSE(failed.Bytes);
    EXPECT_EQ(g_liveBuffers, 0);
}

TEST(Container, FailedPackLeavesTheOldContainerWhole) {
    TempDir dir;
    WriteFile(dir / "old.txt", "old");
    TMyZip().Pack(dir / "old.txt", dir / "c.xmz");
    const std::string before = ReadFile(dir / "c.xmz");

    EXPECT_THROW(TMyZip().Pack(dir / "missing.txt", dir / "c.xmz"), ContainerError);
    EXPECT_THROW(TMyZip().Pack(dir.path(), dir / "c.xmz"), ContainerError); // a folder
    EXPECT_EQ(ReadFile(dir / "c.xmz"), before);

    fs::create_directories(dir / "taken.xmz" / "inside");
    EXPECT_THROW(TMyZip().Pack(dir / "old.txt", dir / "taken.xmz"), ContainerError);
    EXPECT_EQ(Tree(dir.path()),
              (std::set<std::string>{"c.xmz", "old.txt", "taken.xmz", "taken.xmz/inside"}));
}

TEST(Container, UnpackReplacesAnExistingFile) {
    TempDir dir;
    WriteFile(dir / "new" / "f.txt", "new content");
    TMyZip().Pack(dir / "new" / "f.txt", dir / "f.xmz");
    WriteFile(dir / "out" / "f.txt", "older and longer content");
    EXPECT_EQ(ReadFile(TMyZip().Unpack(dir / "f.xmz", dir / "out")), "new content");
    EXPECT_EQ(Tree(dir / "out"), std::set<std::string>{"f.txt"});
}

} // namespace
} // namespace paperkit
