#pragma once

#include "support/QtPrinters.h"

#include <QTest>
#include <gtest/gtest.h>

// Bounded waits that fail the GoogleTest case when the condition never comes true. (Qt's
// QTRY_* macros report through QTest's own result log, which a GoogleTest run never reads.)
#define WAIT_EQ(actual, expected, ms)                                                                                  \
    do {                                                                                                               \
        static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); }, (ms)));                              \
        ASSERT_EQ(actual, expected);                                                                                   \
    } while (0)

#define WAIT_TRUE(condition, ms)                                                                                       \
    do {                                                                                                               \
        static_cast<void>(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, (ms)));                        \
        ASSERT_TRUE(condition);                                                                                        \
    } while (0)
