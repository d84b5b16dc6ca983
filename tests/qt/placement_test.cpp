// The chart opened from the main window on the screen that the offscreen
// platform's configuration simulates: within the screen's available area, and
// off the main window where there is room beside or below it.
#include <memory>

#include <QAction>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "application.h"
#include "tchartform.h"
#include "tform1.h"

class TestPlacement : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> Form;

    // Ctrl+G's entry in the main window.
    void OpenChart()
    {
        for (QAction* action : Form->actions())
            if (action->text() == QStringLiteral("График отклонений"))
                action->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(Form->Chart));
    }

private slots:
    void init()
    {
        Form = std::make_unique<TForm1>();
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    }

    void cleanup() { Form.reset(); }

    void besideTheWindow()
    {
        const QRect main = Form->frameGeometry();
        const QRect available = Form->screen()->availableGeometry();
        qInfo() << "screen" << available << "scale" << Form->devicePixelRatio() << "main window" << main;
        OpenChart();
        const QRect chart = Form->Chart->frameGeometry();
        qInfo() << "chart" << chart;
        QVERIFY(available.contains(chart));
        QCOMPARE(Form->frameGeometry(), main);
        // A 360×240 chart fits beside or below: it does not cover the main window.
        const QMargins frame = Form->windowHandle()->frameMargins();
        const QSize least = QSize(360, 240).grownBy(frame);
        const bool room = std::max(available.right() - main.right(), main.left() - available.left()) >= least.width()
                          || available.bottom() - main.bottom() >= least.height();
        if (room)
            QVERIFY(!chart.intersects(main));
    }

    // Where the user puts the chart it stays when opened again.
    void keptWhereMoved()
    {
        OpenChart();
        const QPoint moved = Form->screen()->availableGeometry().topLeft() + QPoint(3, 5);
        Form->Chart->move(moved);
        QTRY_COMPARE(Form->Chart->frameGeometry().topLeft(), moved);
        Form->Chart->close();
        OpenChart();
        QCOMPARE(Form->Chart->frameGeometry().topLeft(), moved);
    }
};

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    TestPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "placement_test.moc"
