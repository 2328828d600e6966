#pragma once

// The main() of a QTest executable: the test object runs inside a sandbox of its own (see
// sandbox.h), under a QApplication, so widgets can be made. ctest runs it offscreen.
#include "testsupport/sandbox.h"

#include <QApplication>
#include <QTest>

#define PAPERKIT_QTEST_MAIN(TestObject)                                                            \
    int main(int argc, char** argv) {                                                              \
        paperkit::test::Sandbox sandbox;                                                           \
        if (!sandbox.Ready())                                                                      \
            return 2;                                                                              \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
