#include "support/md5.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace paperkit {
namespace {

using test::TempDir;
using test::WriteFile;

constexpr const char* kEmptyDigest = "d41d8cd98f00b204e9800998ecf8427e";

TEST(Md5, FileDigestMatchesTheRfc1321Vectors) {
    const std::pair<std::string, const char*> vectors[] = {
        {"", kEmptyDigest},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890"
         "1234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    TempDir dir;
    for (const auto& [message, expected] : vectors) {
        WriteFile(dir / "m", message);
        EXPECT_EQ(DigestHex(FileDigest(dir / "m")), expected) << message;
        EXPECT_EQ(DigestHex(DataDigest(message)), expected) << message;
    }
}

TEST(Md5, UnreadableFilesGiveTheDigestOfEmptyInput) {
    TempDir dir;
    WriteFile(dir / "empty", "");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    for (const char* name : {"missing", "empty", "fifo", "."})
        EXPECT_EQ(DigestHex(FileDigest(dir / name)), kEmptyDigest) << name;
}

TEST(Md5, DigestEqualComparesEveryByte) {
    const Md5Digest a = DataDigest("abc");
    Md5Digest b = a;
    EXPECT_TRUE(DigestEqual(a, b));
    b[15] ^= 1;
    EXPECT_FALSE(DigestEqual(a, b));
    b = a;
    b[0] ^= 0x80;
    EXPECT_FALSE(DigestEqual(a, b));
}

} // namespace
} // namespace paperkit
