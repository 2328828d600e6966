#include "support/version.h"

#include <gtest/gtest.h>

TEST(Version, IsTheBuildVersion) {
    EXPECT_EQ(paperkit::FileVersionText(), "1.0.0.1030");
}
