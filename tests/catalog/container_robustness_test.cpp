#include "catalog/container.h"
#include "catalog/container_test_util.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace paperkit {
namespace {

namespace fs = std::filesystem;

// Whatever Unpack is fed, it must not crash, and may only ever write one file directly inside the
// target folder.
TEST(ContainerRobustness, SurvivesRandomTruncatedAndFlippedInput) {
    test::TempDir dir;
    std::string inner;
    for (int i = 0; i < 400; ++i)
        inner += static_cast<char>("abc\r\n=[]\\/.x"[i * 5 % 13]);
    test::WriteFile(dir / "in" / "good.xml", inner);
    TMyZip().Pack(dir / "in" / "good.xml", dir / "good.xmz");
    const std::string good = test::ReadFile(dir / "good.xmz");
    const std::string payload = test::Inflate(good);
    ASSERT_FALSE(payload.empty());
    fs::remove_all(dir / "in");

    std::mt19937 random(20240611);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 400; ++round) {
        std::string data;
        switch (round % 4) {
        case 0:
            data.resize(below(600));
            for (char& c : data)
                c = static_cast<char>(below(256));
            break;
        case 1:
            data = good.substr(0, below(good.size()));
            break;
        case 2:
            data = good;
            for (std::size_t flips = 1 + below(3); flips > 0; --flips)
                data[below(data.size())] ^= static_cast<char>(1 << below(8));
            break;
        default: {
            // Damage the decompressed payload, mostly its trailer and length, so that the trailer
            // reader and the name checks see the damage rather than zlib.
            std::string p = payload;
            for (std::size_t flips = 1 + below(4); flips > 0; --flips) {
                const std::size_t at = p.size() - 1 - below(std::min<std::size_t>(p.size(), 120));
                p[at] = static_cast<char>(below(256));
            }
            data = test::Deflate(p);
        }
        }
        test::WriteFile(dir / "c.xmz", data);
        const fs::path out = TMyZip().Unpack(dir / "c.xmz", dir / "out");
        if (!out.empty()) {
            EXPECT_EQ(out.parent_path(), dir / "out") << "round " << round;
            EXPECT_EQ(test::Tree(dir / "out").size(), 1u) << "round " << round;
        }
        fs::remove_all(dir / "out");
        ASSERT_EQ(test::Tree(dir.path()), (std::set<std::string>{"c.xmz", "good.xmz"}))
            << "round " << round;
    }
}

} // namespace
} // namespace paperkit
