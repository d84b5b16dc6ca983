// Where the chart's frame goes beside the main window's, one row per way out.
#include <QTest>

#include "chartframe.h"

class TestChartFrame : public QObject {
    Q_OBJECT

private slots:
    void placed_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("expected");
        const QRect wide(0, 0, 1920, 1050);
        QTest::newRow("right, from the window's top") << wide << QRect(100, 300, 587, 410) << QSize(762, 502)
                                                     << QRect(687, 300, 762, 502);
        QTest::newRow("right, moved up onto the screen") << wide << QRect(100, 800, 587, 410) << QSize(762, 502)
                                                         << QRect(687, 548, 762, 502);
        QTest::newRow("left") << wide << QRect(1200, 0, 587, 410) << QSize(762, 502) << QRect(438, 0, 762, 502);
        QTest::newRow("below") << QRect(0, 0, 1024, 1000) << QRect(218, 0, 587, 410) << QSize(762, 502)
                               << QRect(218, 410, 762, 502);
        QTest::newRow("below, moved left onto the screen") << QRect(0, 0, 1024, 1000) << QRect(500, 0, 587, 410)
                                                           << QSize(762, 502) << QRect(262, 410, 762, 502);
        // 1280×1024 with the window centred: below is the largest free area.
        QTest::newRow("shrunk below") << QRect(0, 0, 1280, 1024) << QRect(346, 307, 587, 410) << QSize(762, 502)
                                      << QRect(346, 717, 762, 307);
        QTest::newRow("shrunk beside") << QRect(0, 0, 1600, 600) << QRect(100, 95, 587, 410) << QSize(1000, 502)
                                       << QRect(687, 95, 913, 502);
        // 144 dpi scaled by 1.5: 1024×768 is 683×512, no room anywhere.
        QTest::newRow("least, covering least of the window") << QRect(0, 0, 683, 512) << QRect(48, 51, 587, 410)
                                                             << QSize(762, 502) << QRect(48, 290, 322, 222);
        QTest::newRow("least, at the right edge") << QRect(0, 0, 1000, 500) << QRect(100, 0, 700, 500)
                                                  << QSize(762, 502) << QRect(678, 0, 322, 222);
        QTest::newRow("never larger than the screen") << QRect(0, 24, 800, 576) << QRect(-700, 100, 587, 410)
                                                      << QSize(1140, 742) << QRect(0, 24, 800, 576);
        QTest::newRow("on a second screen") << QRect(1920, 0, 1280, 1024) << QRect(1930, 10, 587, 410)
                                            << QSize(600, 400) << QRect(2517, 10, 600, 400);
    }

    void placed()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, owner);
        QFETCH(QSize, wanted);
        QFETCH(QRect, expected);
        const QRect frame = ChartFrame(available, owner, wanted, QSize(322, 222));
        QCOMPARE(frame, expected);
        QVERIFY(available.contains(frame));
    }
};

QTEST_APPLESS_MAIN(TestChartFrame)
#include "chartframe_test.moc"
