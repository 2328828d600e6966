#include "support/log.h"
#include "testsupport/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using paperkit::Log;
using paperkit::test::ReadFile;
using paperkit::test::TempDir;

TEST(Log, WritesNothingUnlessAFileIsNamed) {
    TempDir dir;
    Log("quiet");
    const auto target = dir / "log.txt";
    setenv("PAPERKIT_LOG", target.c_str(), 1);
    Log("first line");
    Log("second line");
    unsetenv("PAPERKIT_LOG");
    Log("quiet again");

    const std::string text = ReadFile(target);
    EXPECT_NE(text.find(" first line\n"), std::string::npos);
    EXPECT_NE(text.find(" second line\n"), std::string::npos);
    EXPECT_EQ(text.find("quiet"), std::string::npos);
}
