#include "support/fit_size.h"

#include <gtest/gtest.h>

namespace paperkit {
namespace {

TEST(FitSize, FillsOneDirectionAndDropsRemainders) {
    struct Case {
        int pw, ph, sw, sh;
        FittedSize expected;
    };
    const Case cases[] = {
        {3000, 2000, 1280, 1024, {1280, 853}},
        {1000, 3000, 1280, 1024, {341, 1024}},
        {640, 512, 1280, 1024, {1280, 1024}}, // same proportions: the height decides
        {100000, 1, 1920, 1080, {1920, 0}},
        {0, 0, 1280, 1024, {0, 0}}, // no picture: nothing to divide by
        {800, 600, 0, 1024, {0, 0}},
        {-800, 600, 1280, 1024, {0, 0}},
    };
    for (const auto& c : cases) {
        const FittedSize got = FitSize(c.pw, c.ph, c.sw, c.sh);
        EXPECT_EQ(got, c.expected) << c.pw << 'x' << c.ph << " on " << c.sw << 'x' << c.sh
                                   << " gave " << got.width << 'x' << got.height;
    }
}

} // namespace
} // namespace paperkit
