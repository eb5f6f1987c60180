// A QVERIFY or QCOMPARE that fails inside a helper returns from the helper only, and the test
// would go on to read what the helper found missing. Wrapped in QRV_CHECKED, a helper's
// failed check ends the test where it was called.
#pragma once

#include <QTest>

#define QRV_CHECKED(helperCall)                                                                                        \
    do {                                                                                                               \
        helperCall;                                                                                                    \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)
