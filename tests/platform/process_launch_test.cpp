#include "platform/process_launch.h"
#include "testsupport/temp_dir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace paperkit {
namespace {

TEST(LaunchDetached, StartsTheProgramWithItsArgumentsUnsplit) {
    test::TempDir dir;
    const auto out = dir / "args.txt";
    ASSERT_TRUE(LaunchDetached("/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0\"", out.string(),
                                           "with blank", "ends\\", "青鸾画屏"}));
    for (int i = 0; i < 500 && test::ReadFile(out).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(test::ReadFile(out), "with blank|ends\\|青鸾画屏|");
}

TEST(LaunchDetached, MissingProgramIsReported) {
    EXPECT_FALSE(LaunchDetached("/nonexistent/update", {}));
}

} // namespace
} // namespace paperkit
