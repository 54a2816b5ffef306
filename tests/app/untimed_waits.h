#pragma once

// Waits in the window tests end with the event they wait for, never with a clock. Qt's QTRY_* macros
// give up after five seconds, which a loaded machine can reach while the work is still on its way;
// here they wait a day, so only a wait that can never end fails, and CTest's per-test timeout catches
// that first. Include this after <QTest> (gui_test_base.h does).
#include <QTest>

#define QUORLIN_UNTIMED_WAIT_MS 86400000

#undef QTRY_VERIFY
#define QTRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, QUORLIN_UNTIMED_WAIT_MS)
#undef QTRY_VERIFY2
#define QTRY_VERIFY2(expr, message) QTRY_VERIFY2_WITH_TIMEOUT(expr, message, QUORLIN_UNTIMED_WAIT_MS)
#undef QTRY_COMPARE
#define QTRY_COMPARE(expr, expected) QTRY_COMPARE_WITH_TIMEOUT(expr, expected, QUORLIN_UNTIMED_WAIT_MS)
