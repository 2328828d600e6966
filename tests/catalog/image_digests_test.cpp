#include "catalog/image_digests.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace paperkit {
namespace {

using Model = std::array<std::string, ImageSizeCount>;

void ExpectSame(const ImageDigests& digests, const Model& model, int step) {
    for (int n = 0; n < ImageSizeCount; ++n)
        EXPECT_EQ(digests[n], model[static_cast<std::size_t>(n)])
            << "step " << step << " size " << n;
}

// Insertions before, between and after present entries, overwrites with longer and shorter texts
// and removals, each checked against a plain array of all seventeen entries.
TEST(ImageDigests, KeepsEverySizeApartThroughChanges) {
    const std::pair<int, std::string> steps[] = {
        {5, "five"},
        {0, "zero"},
        {16, "sixteen"},
        {7, "seven"},
        {5, "five, longer now"},
        {5, "5"},
        {0, ""},
        {3, ""},
        {16, ""},
        {0, "zero again"},
        {7, ""},
        {5, ""},
        {0, ""},
        {11, "eleven"},
        {11, "d41d8cd98f00b204e9800998ecf8427e"},
    };
    ImageDigests digests;
    Model model;
    int step = 0;
    for (const auto& [size, digest] : steps) {
        digests.Set(size, digest);
        model[static_cast<std::size_t>(size)] = digest;
        ExpectSame(digests, model, ++step);
    }
}

TEST(ImageDigests, EmptyIsAbsentAndSizesOutsideTheTableAreNone) {
    ImageDigests digests;
    digests.Set(4, "");
    EXPECT_EQ(digests, ImageDigests());
    digests.Set(4, "four");
    digests.Set(4, "");
    EXPECT_EQ(digests, ImageDigests());

    digests.Set(2, "two");
    for (int size : {-1, ImageSizeCount, 1 << 30})
        digests.Set(size, "outside");
    for (int size : {-1, ImageSizeCount, 32, -2147483647 - 1})
        EXPECT_EQ(digests[size], "") << size;
    ImageDigests only;
    only.Set(2, "two");
    EXPECT_EQ(digests, only);
}

TEST(ImageDigests, CopiesAreDeepAndMovedFromObjectsAreEmpty) {
    ImageDigests original;
    original.Set(1, "one");
    original.Set(9, "nine");
    ImageDigests copy = original;
    copy.Set(9, "changed");
    EXPECT_EQ(original[9], "nine");
    EXPECT_NE(copy, original);
    copy = original;
    EXPECT_EQ(copy, original);

    ImageDigests moved = std::move(copy);
    EXPECT_EQ(moved[1], "one");
    EXPECT_EQ(copy, ImageDigests()); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(copy[9], "");          // NOLINT(bugprone-use-after-move)
    copy = std::move(moved);
    EXPECT_EQ(copy, original);
    EXPECT_EQ(moved[1], ""); // NOLINT(bugprone-use-after-move)

    // Setting an entry from a view of the same object's own text.
    copy.Set(3, copy[1]);
    EXPECT_EQ(copy[3], "one");
}

} // namespace
} // namespace paperkit
