// Centring against a window manager played out step by step, in each order in
// which its reports can reach the window: the frame's extents, its placing of
// the window as first asked, and its answers to later requests, which queue
// behind the reports already on their way.
#include <QTest>

#include "centring.h"

namespace {

const QRect kScreen(0, 0, 1280, 1024);
const QSize kClient(585, 388);
const QMargins kFrame(1, 20, 1, 1);
const QPoint kCentredClient(347, 327);

enum class TWm { KeepsPlace, FramesAtPlace, PlacesElsewhere };
enum class TStep { Frame, Place };

struct TWindowManager {
    explicit TWindowManager(TWm kind)
        : Kind(kind)
    {
    }

    const TWm Kind;
    TCentring Centring{kScreen, kClient};
    QPoint Client = CentredCorner(kScreen, kClient); // where it was created
    bool FrameKnown = false;
    QList<QPoint> Answers;
    int Requests = 0;

    // Where the client area goes when the window asks for its frame's corner
    // there; the window can convert that to its client area only when it
    // knows the frame. The third kind cascades, wherever it is asked.
    QPoint Placed(const QPoint& corner, bool frameKnownToWindow) const
    {
        const QPoint offset(kFrame.left(), kFrame.top());
        switch (Kind) {
        case TWm::KeepsPlace:
            return frameKnownToWindow ? corner + offset : corner;
        case TWm::FramesAtPlace:
            return corner + offset;
        case TWm::PlacesElsewhere:
            break;
        }
        return QPoint(100, 100) + QPoint(10, 10) * Requests;
    }

    void Report()
    {
        if (const std::optional<QPoint> corner = Centring.Report(FrameKnown ? kFrame : QMargins(), Client)) {
            ++Requests;
            Answers.append(Placed(*corner, FrameKnown));
        }
    }

    void Run(const QList<TStep>& steps)
    {
        const QPoint firstPlace = Placed(Client, false);
        for (const TStep step : steps) {
            if (step == TStep::Frame)
                FrameKnown = true;
            else
                Client = firstPlace;
            Report();
        }
        while (!Answers.isEmpty()) {
            Client = Answers.takeFirst();
            Report();
        }
    }
};

} // namespace

class TestCentring : public QObject {
    Q_OBJECT

private slots:
    void orders_data()
    {
        QTest::addColumn<TWm>("wm");
        QTest::addColumn<QList<TStep>>("steps");
        QTest::newRow("keeps the place asked, reports no move") << TWm::KeepsPlace << QList{TStep::Frame};
        QTest::newRow("keeps the place asked, move before frame") << TWm::KeepsPlace << QList{TStep::Place, TStep::Frame};
        QTest::newRow("keeps the place asked, frame before move") << TWm::KeepsPlace << QList{TStep::Frame, TStep::Place};
        QTest::newRow("frames at the place asked, move before frame")
            << TWm::FramesAtPlace << QList{TStep::Place, TStep::Frame};
        QTest::newRow("frames at the place asked, frame before move")
            << TWm::FramesAtPlace << QList{TStep::Frame, TStep::Place};
    }

    void orders()
    {
        QFETCH(TWm, wm);
        QFETCH(QList<TStep>, steps);
        TWindowManager manager(wm);
        manager.Run(steps);
        QCOMPARE(manager.Client, kCentredClient);
        QVERIFY(manager.Centring.Settled());

        // Later the user moves it: it stays there.
        manager.Client = QPoint(10, 30);
        manager.Report();
        QVERIFY(manager.Answers.isEmpty());
    }

    void frameUnknownMovesNothing()
    {
        TWindowManager manager(TWm::FramesAtPlace);
        manager.Run({TStep::Place});
        QCOMPARE(manager.Requests, 0);
        QVERIFY(!manager.Centring.Settled());
    }

    void stubbornWindowManagerIsNotChased()
    {
        TWindowManager manager(TWm::PlacesElsewhere);
        manager.Run({TStep::Place, TStep::Frame});
        QCOMPARE(manager.Requests, 3);
        QCOMPARE(manager.Client, QPoint(130, 130));
        QVERIFY(manager.Centring.Settled());
    }
};

QTEST_APPLESS_MAIN(TestCentring)
#include "centring_test.moc"
