// Button1Click with the default fields, from the mouse press on Button1 to the
// report being in Memo1, on the offscreen platform; with the chart open, to the
// chart redrawn; and the chart's hover text.
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <benchmark/benchmark.h>

#include "application.h"
#include "tchartform.h"
#include "tform1.h"

namespace {

TForm1* Form;

// Every press replaces the report: Memo1 is blanked before each, untimed.
void BM_Button1ClickNewReport(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Form->Memo1->setPlainText(QStringLiteral("\n"));
        state.ResumeTiming();
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
    }
    if (Form->Memo1->blockCount() != 102)
        state.SkipWithError("no report");
}
BENCHMARK(BM_Button1ClickNewReport)->Unit(benchmark::kMillisecond);

// The same report again: the scan runs, Memo1 is left alone.
void BM_Button1ClickSameReport(benchmark::State& state)
{
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    for (auto _ : state)
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
}
BENCHMARK(BM_Button1ClickSameReport)->Unit(benchmark::kMillisecond);

// A mebibyte typed into Edit1: digits (the overflow box, answered as soon as
// it is up), letters, control characters or mixed scripts.
void BM_Button1ClickMebibyteField(benchmark::State& state)
{
    static const QString pieces[] = {QStringLiteral("9"), QStringLiteral("x"), QStringLiteral("\x01\t\x1f "),
                                     QStringLiteral("угол 角度 zeta 1,5 ")};
    const QString& piece = pieces[state.range(0)];
    const QString text = piece.repeated((1 << 20) / piece.toUtf8().size());
    for (auto _ : state) {
        state.PauseTiming();
        Form->Edit1->setText(text);
        Form->Memo1->setPlainText(QStringLiteral("\n"));
        QCoreApplication::processEvents();  // the field as the user sees it before the press
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        state.ResumeTiming();
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
    }
    Form->Edit1->setText(QStringLiteral("0.00"));
}
BENCHMARK(BM_Button1ClickMebibyteField)->DenseRange(0, 3)->Iterations(20)->Unit(benchmark::kMillisecond);

// Notes that a widget has been painted.
class TPaintWatch : public QObject {
public:
    explicit TPaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    bool Painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        Painted = Painted || event->type() == QEvent::Paint;
        return false;
    }
};

// With the chart open every press replaces its points and markers; the time
// runs until the chart's view has been painted with them. Argument 0: the
// default range every time (8,999 points); 1: the end alternates between 89.99
// and 45.00, so every press also changes the axes.
void BM_Button1ClickChartOpen(benchmark::State& state)
{
    Form->Chart->show();
    if (!QTest::qWaitForWindowExposed(Form->Chart))
        state.SkipWithError("chart not shown");
    TPaintWatch watch(Form->Chart->findChild<QChartView*>()->viewport());
    bool shortRange = false;
    for (auto _ : state) {
        state.PauseTiming();
        shortRange = state.range(0) == 1 && !shortRange;
        Form->Edit2->setText(shortRange ? QStringLiteral("45.00") : QStringLiteral("89.99"));
        Form->Memo1->setPlainText(QStringLiteral("\n"));
        QCoreApplication::processEvents();
        watch.Painted = false;
        state.ResumeTiming();
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        while (!watch.Painted)
            QCoreApplication::processEvents();
    }
    Form->Edit2->setText(QStringLiteral("89.99"));
    Form->Chart->hide();
}
BENCHMARK(BM_Button1ClickChartOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The pointer moved over the plot of the default run, from one point to the
// next of a walk across it, until the hover text is up.
void BM_ChartHover(benchmark::State& state)
{
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    Form->Chart->show();
    if (!QTest::qWaitForWindowExposed(Form->Chart))
        state.SkipWithError("chart not shown");
    QChartView* view = Form->Chart->findChild<QChartView*>();
    const QRect plot = view->mapFromScene(view->chart()->plotArea()).boundingRect();
    int step = 0;
    for (auto _ : state) {
        const QPoint at(plot.left() + 1 + step * 7 % (plot.width() - 2),
                        plot.top() + 1 + step * 13 % (plot.height() - 2));
        ++step;
        QTest::mouseMove(Form->Chart->windowHandle(), view->viewport()->mapTo(Form->Chart, at));
    }
    if (!QToolTip::isVisible())
        state.SkipWithError("no hover text");
    Form->Chart->hide();
}
BENCHMARK(BM_ChartHover)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    Form = &form;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
