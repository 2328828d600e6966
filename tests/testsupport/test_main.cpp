// Every GoogleTest process runs in a sandbox of its own (see sandbox.h).
#include "testsupport/sandbox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    paperkit::test::Sandbox sandbox;
    if (!sandbox.Ready())
        return 2;
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
