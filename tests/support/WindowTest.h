#pragma once

#include <QTest>
#include <QWidget>

// Shows a window and waits until it is on screen and active, as the keyboard tests need.
inline void showAndActivate(QWidget &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}
