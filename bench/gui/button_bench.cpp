// Button1Click with the default fields, from the mouse press on Button1 to the
// report being in Memo1, on the offscreen platform.
#include <QPlainTextEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include "application.h"
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
