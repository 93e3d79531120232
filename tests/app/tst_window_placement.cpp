// SPDX-License-Identifier: MIT
// Where a window goes to stand in the middle of the screen, with the frame the window manager
// draws around it counted in: the gaps above and below the framed window, and left and right
// of it, differ by a pixel at most (the odd one of an odd difference).

#include "app/window_placement.h"

#include <QtTest>

using namespace hueprint;

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void framedWindowStandsInTheMiddle_data();
    void framedWindowStandsInTheMiddle();
};

void WindowPlacementTest::framedWindowStandsInTheMiddle_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QPoint>("frameTopLeft");

    const QRect screen(0, 0, 1280, 1024);
    const QSize templateWindow(379, 409);
    const QSize picker(353, 137);
    // left, top, right, bottom: a title bar of 20 pixels and one-pixel borders.
    const QMargins titled(1, 20, 1, 1);
    QTest::newRow("template, no frame")
        << screen << templateWindow << QMargins() << QPoint(450, 307);
    QTest::newRow("template, titled") << screen << templateWindow << titled << QPoint(449, 297);
    QTest::newRow("picker, no frame") << screen << picker << QMargins() << QPoint(463, 443);
    QTest::newRow("picker, titled") << screen << picker << titled << QPoint(462, 433);
    QTest::newRow("uneven frame") << screen << templateWindow << QMargins(4, 30, 0, 8)
                                  << QPoint(448, 288);
    QTest::newRow("work area beside a panel, on a second screen")
        << QRect(1280, 32, 1920, 1048) << templateWindow << titled << QPoint(2049, 341);
    QTest::newRow("window larger than the area")
        << QRect(0, 0, 300, 200) << templateWindow << titled << QPoint(-41, -115);
}

void WindowPlacementTest::framedWindowStandsInTheMiddle() {
    QFETCH(QRect, area);
    QFETCH(QSize, client);
    QFETCH(QMargins, frame);
    QFETCH(QPoint, frameTopLeft);

    const QPoint placed = centeredFramePosition(area, client, frame);
    QCOMPARE(placed, frameTopLeft);
    const QRect framed(placed, client.grownBy(frame));
    const int above = framed.top() - area.top();
    const int below = area.bottom() - framed.bottom();
    const int left = framed.left() - area.left();
    const int right = area.right() - framed.right();
    QVERIFY2(qAbs(above - below) <= 1,
             qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
    QVERIFY2(qAbs(left - right) <= 1,
             qPrintable(QStringLiteral("%1 left, %2 right").arg(left).arg(right)));
}

QTEST_APPLESS_MAIN(WindowPlacementTest)
#include "tst_window_placement.moc"
