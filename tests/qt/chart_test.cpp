// The chart window beside the designed one, and Qt's own texts in Russian.
#include <functional>
#include <memory>

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRubberBand>
#include <QScatterSeries>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>
#include <QWindow>

#include "application.h"
#include "main/chart/view.h"
#include "samples/samplescsv.h"
#include "scan/scan.h"
#include "tchartform.h"
#include "tform1.h"

namespace {

// What a run shows: its samples, the first and the last, and its kept samples,
// the largest deviation among them; as formula-scan --samples writes them.
struct TShown {
    int Samples;
    QPointF First, Last;
    int Kept;
    QPointF Largest;
};
const TShown kDefaults{8999, {0, 0}, {89.98000000000913, 0.2792062047172834}, 100,
                       {89.98000000000913, 0.2792062047172834}};
const TShown k10To20{1000, {10, 0.08147483391230814}, {19.990000000000496, 0.12868560504624327}, 100,
                     {19.990000000000496, 0.12868560504624327}};
const TShown k45{1, {45, -0.018149396795386963}, {45, -0.018149396795386963}, 1, {45, -0.018149396795386963}};
const TShown kNone{0, {}, {}, 0, {}};

// Kept samples of the default run, by their place in the report.
const QMap<int, QPointF> kKeptPoints{{0, {89.98000000000913, 0.2792062047172834}},
                                     {27, {69.05999999999842, -0.26286894530532834}},
                                     {50, {69.16999999999848, -0.2628582331424951}},
                                     {99, {89.71000000000899, 0.2627628136219755}}};

bool Same(const QPointF& a, const QPointF& b)
{
    return a.x() == b.x() && a.y() == b.y();
}

// Menu entries as shown, without the accelerator marks and the shortcut column.
QStringList Entries(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries.append(action->isSeparator() ? QStringLiteral("—") : action->text().remove(u'&').section(u'\t', 0, 0));
    return entries;
}

QAction* ActionOf(const QWidget* window, const QString& text)
{
    for (QAction* action : window->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestChart : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> Form;
    TChartForm* Chart = nullptr;
    QTemporaryDir Folder;
    QTimer ModalWatch;
    QStringList BoxTexts;
    // Looks at the next failure box before it is answered.
    std::function<void(QMessageBox*)> WhileBoxUp;
    // Answers the next file dialog; notes its buttons' texts.
    std::function<void(QFileDialog*)> AnswerDialog;
    QStringList DialogButtons;

    // The chart as Qt shows it, found as a user's tools would find it.
    QChartView* View() const { return Chart->findChild<QChartView*>(); }

    template <class Series>
    Series* SeriesNamed(const QString& name) const
    {
        for (QAbstractSeries* series : View()->chart()->series())
            if (series->name() == name)
                return qobject_cast<Series*>(series);
        return nullptr;
    }

    QLineSeries* Line() const { return SeriesNamed<QLineSeries>(QStringLiteral("Все отсчёты")); }
    QScatterSeries* Markers() const { return SeriesNamed<QScatterSeries>(QStringLiteral("Отсчёты отчёта")); }
    QScatterSeries* Largest() const { return SeriesNamed<QScatterSeries>(QStringLiteral("Наибольшее отклонение")); }
    QLineSeries* Zero() const { return SeriesNamed<QLineSeries>(QString()); }
    QValueAxis* Axis(Qt::Orientation orientation) const
    {
        return qobject_cast<QValueAxis*>(View()->chart()->axes(orientation).constFirst());
    }

    // The chart's own texts over the plot: the title line and "Нет отсчётов".
    const QGraphicsSimpleTextItem* TextItem(const QString& containing) const
    {
        for (const QGraphicsItem* item : View()->scene()->items())
            if (const auto* text = dynamic_cast<const QGraphicsSimpleTextItem*>(item);
                text && text->text().contains(containing))
                return text;
        return nullptr;
    }

    QString TitleLine() const { return TextItem(QStringLiteral("отсчётов:"))->text(); }
    bool NoSamplesShown() const { return TextItem(QStringLiteral("Нет отсчётов"))->isVisible(); }

    QAction* ChartAction(const char* text) const { return ActionOf(Chart, QString::fromUtf8(text)); }
    QAction* OpenAction() const { return ActionOf(Form.get(), QStringLiteral("График отклонений")); }

    // The chart's menu, opened with the right button over the plot.
    QMenu* OpenChartMenu()
    {
        QWidget* viewport = View()->viewport();
        QTest::mouseClick(Chart->windowHandle(), Qt::RightButton, {}, viewport->mapTo(Chart, viewport->rect().center()));
        QMenu* menu = nullptr;
        [&] { QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))); }();
        return menu;
    }

    void AnswerModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            BoxTexts.append(box->text());
            if (WhileBoxUp)
                std::exchange(WhileBoxUp, nullptr)(box);
            box->accept();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && dialog->isVisible() && AnswerDialog) {
            for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                DialogButtons.append(button->text());
            std::exchange(AnswerDialog, nullptr)(dialog);
        }
    }

    void Press(const QString& start, const QString& end)
    {
        Form->Edit1->setText(start);
        Form->Edit2->setText(end);
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
    }

    void Open()
    {
        Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
        QTest::keyClick(Form.get(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowExposed(Chart));
    }

    QString ReportLine(int kept) const { return Form->Memo1->document()->findBlockByNumber(kept + 1).text(); }
    QString Selected() const { return Form->Memo1->textCursor().selectedText(); }

    // Where a point is, in the view's viewport.
    QPoint PixelOf(const QPointF& point) const
    {
        return View()->mapFromScene(View()->chart()->mapToPosition(point, Markers()));
    }

    QPoint MarkerAt(int kept) const { return PixelOf(kKeptPoints[kept]); }

    // The hover text with the pointer at a point of the viewport, come from
    // outside the plot; to the chart's window itself, as offscreen windows
    // have no stacking order.
    QString HoverAt(const QPoint& at)
    {
        QTest::mouseMove(Chart->windowHandle(), QPoint(1, 1));
        QTest::mouseMove(Chart->windowHandle(), View()->viewport()->mapTo(Chart, at));
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // Spreads the markers around a kept sample apart, a step being wider than a marker.
    void ZoomTo(double angle)
    {
        Axis(Qt::Horizontal)->setRange(angle - 0.05, angle + 0.05);
        QCoreApplication::processEvents();
    }

    QPair<double, double> RangeX() const { return {Axis(Qt::Horizontal)->min(), Axis(Qt::Horizontal)->max()}; }

    // The chart holds the run's very doubles, the largest deviation drawn
    // last, over all the other markers, and ringed.
    void CheckShown(const TShown& shown)
    {
        QCOMPARE(Line()->count(), shown.Samples);
        if (shown.Samples > 0) {
            QVERIFY(Same(Line()->at(0), shown.First));
            QVERIFY(Same(Line()->points().constLast(), shown.Last));
        }
        QCOMPARE(Markers()->count(), shown.Kept);
        QCOMPARE(Largest()->count(), std::min(shown.Kept, 1));
        if (shown.Kept > 0) {
            QVERIFY(Same(Markers()->points().constLast(), shown.Largest));
            QVERIFY(Same(Largest()->at(0), shown.Largest));
        }
    }

    // The axes' tick labels as shown, those below the plot and those left of it.
    QPair<QStringList, QStringList> TickLabels() const
    {
        const QRectF plot = View()->chart()->plotArea();
        QMap<qreal, QString> below, left;  // by place: left to right, top to bottom
        for (const QGraphicsItem* item : View()->scene()->items())
            if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item); text && text->isVisible()) {
                const QRectF box = item->sceneBoundingRect();
                if (!text->toPlainText().contains(QRegularExpression(QStringLiteral("^-?[0-9][0-9.,]*$"))))
                    continue;
                // By edges, not centres: the lowest d label may reach below the
                // plot, and the first angle label is centred on its left edge.
                if (box.right() <= plot.left())
                    left.insert(box.center().y(), text->toPlainText());
                else if (box.top() >= plot.bottom())
                    below.insert(box.center().x(), text->toPlainText());
            }
        return {below.values(), left.values()};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(Folder.isValid());
        connect(&ModalWatch, &QTimer::timeout, this, &TestChart::AnswerModal);
        ModalWatch.start(10);
    }

    void init()
    {
        BoxTexts.clear();
        DialogButtons.clear();
        Form = std::make_unique<TForm1>();
        Chart = Form->Chart;
        Form->show();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    }

    void cleanup()
    {
        QToolTip::hideText();
        Form.reset();
    }

    // Before any run and after a run without samples: the same axes, and words.
    void emptyStates()
    {
        QVERIFY(!Chart->isVisible());
        Open();
        QVERIFY(Chart->isWindow());
        QCOMPARE(Chart->windowTitle(), QStringLiteral("График отклонений"));
        QCOMPARE(Axis(Qt::Horizontal)->titleText(), QStringLiteral("Угол, °"));
        QCOMPARE(Axis(Qt::Vertical)->titleText(), QStringLiteral("d = θ − r(θ), °"));
        QCOMPARE(Line()->count(), 0);
        QCOMPARE(Zero()->count(), 0);
        QVERIFY(NoSamplesShown());
        const auto before = TickLabels();
        // The designed window keeps its size.
        QCOMPARE(Form->size(), QSize(585, 388));

        Press(QStringLiteral("95"), QStringLiteral("100"));
        QCOMPARE(TitleLine(), QStringLiteral("95.00 … 89.99, отсчётов: 0"));
        CheckShown(kNone);
        QCOMPARE(Zero()->count(), 0);
        QVERIFY(NoSamplesShown());
        QCOMPARE(TickLabels(), before);
        Press(QStringLiteral("1"), QStringLiteral("2"));
        QVERIFY(!NoSamplesShown());
    }

    // The range with margins that keep the end markers whole, and its title.
    void defaultRun()
    {
        Open();
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        CheckShown(kDefaults);
        QCOMPARE(TitleLine(), QStringLiteral("0.00 … 89.99, отсчётов: 8999"));
        QCOMPARE(Zero()->points(), (QList<QPointF>{{Axis(Qt::Horizontal)->min(), 0.0}, {Axis(Qt::Horizontal)->max(), 0.0}}));
        QVERIFY(Axis(Qt::Vertical)->min() < -0.2629 && Axis(Qt::Vertical)->max() > 0.2792);
        const QRect plot = View()->mapFromScene(View()->chart()->plotArea()).boundingRect();
        const int largest = int(Largest()->markerSize() / 2);
        QVERIFY(PixelOf(Line()->at(0)).x() - largest > plot.left());
        QVERIFY(MarkerAt(0).x() + largest < plot.right());
        QCOMPARE(TickLabels().first, (QStringList{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90"}));
    }

    // The chart follows every run, also one made while it was closed, and a
    // failed run leaves it as it leaves Memo1.
    void followsRuns()
    {
        Press(QStringLiteral("0"), QStringLiteral("89.99"));
        Open();
        CheckShown(kDefaults);
        Press(QStringLiteral("10"), QStringLiteral("20"));
        CheckShown(k10To20);
        QCOMPARE(TitleLine(), QStringLiteral("10.00 … 20.00, отсчётов: 1000"));

        Chart->close();
        Press(QStringLiteral("45"), QStringLiteral("45"));
        Open();
        CheckShown(k45);

        for (const auto& [start, end] : {std::pair{"1e400", "5"}, std::pair{"1.79e308", "1.79e308"}}) {
            Press(QString::fromLatin1(start), QString::fromLatin1(end));
            QCOMPARE(BoxTexts.size(), 1);
            BoxTexts.clear();
            CheckShown(k45);
        }
    }

    // Whatever the locale, the axes write their numbers with a point.
    void axisNumbersWithPoint()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        Form = std::make_unique<TForm1>();
        Chart = Form->Chart;
        QLocale::setDefault(before);
        Form->show();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        Axis(Qt::Vertical)->setRange(0.1, 0.3);  // labels with decimals
        const auto [below, left] = TickLabels();
        const QStringList numbers = below + left;
        QVERIFY2(numbers.size() >= 6, qPrintable(numbers.join(u' ')));
        QVERIFY2(numbers.filter(QStringLiteral(",")).isEmpty(), qPrintable(numbers.join(u' ')));
        QVERIFY2(!numbers.filter(QStringLiteral(".")).isEmpty(), qPrintable(numbers.join(u' ')));
    }

    // Every kept sample's marker answers with its report line, the largest
    // on top of its neighbours; between markers the nearest sample in angle.
    void hover()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QCOMPARE(HoverAt(MarkerAt(0)), ReportLine(0));
        ZoomTo(kKeptPoints[27].x());
        QCOMPARE(HoverAt(MarkerAt(27)), ReportLine(27));
        QCOMPARE(ReportLine(27), QStringLiteral("69.0600 => 69.3229  d=-0.2629"));

        // The sample at 45.00 is no kept sample: the pointer a marker's width above its point.
        ZoomTo(45.0);
        QCOMPARE(HoverAt(PixelOf({44.999999999999616, -0.018149396795394068}) - QPoint(0, 20)),
                 QStringLiteral("45.0000 => 45.0181  d=-0.0181"));
        QTest::mouseMove(Chart->windowHandle(), QPoint(2, 2));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // A click on a marker selects its line in Memo1 and scrolls it to the
    // middle where the report lets it; it zooms nothing.
    void clickSelectsReportLine()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        for (int kept : {99, 27, 50, 0}) {
            ZoomTo(kKeptPoints.value(kept).x());
            const auto range = RangeX();
            QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, MarkerAt(kept));
            QCOMPARE(Selected(), ReportLine(kept));
            const QRect viewport = Form->Memo1->viewport()->rect();
            QVERIFY(viewport.contains(Form->Memo1->cursorRect()));
            if (kept == 27 || kept == 50)
                QVERIFY(std::abs(Form->Memo1->cursorRect().center().y() - viewport.center().y())
                        <= Form->Memo1->cursorRect().height());
            QCOMPARE(RangeX(), range);
        }
    }

    // With the chart focused the keys walk the kept samples (where each leads
    // is the walk's own table); each shows its line and selects it in Memo1.
    void keyboard()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        const auto chosen = [this](const QString& line) {
            QCOMPARE(Selected(), line);
            QCOMPARE(QToolTip::text(), line);
            QCOMPARE(Form->Memo1->document()->findBlock(Form->Memo1->textCursor().selectionStart()).text(), line);
        };
        // The first key chooses the largest deviation, at 89.98; 89.97 is the
        // kept sample before it by angle and the next by deviation.
        const std::pair<Qt::Key, int> walk[] = {
            {Qt::Key_Left, 0}, {Qt::Key_Left, 1}, {Qt::Key_Right, 0}, {Qt::Key_PageUp, 0}, {Qt::Key_PageDown, 1}};
        for (const auto& [key, kept] : walk) {
            QTest::keyClick(Chart, key);
            chosen(ReportLine(kept));
        }

        // + and − zoom around the chosen sample, Shift with an arrow pans.
        const auto whole = RangeX();
        QTest::keyClick(Chart, Qt::Key_Plus);
        QVERIFY(RangeX().first > whole.first && RangeX().second < whole.second);
        QVERIFY(RangeX().first < 89.97 && 89.97 < RangeX().second);
        const auto zoomed = RangeX();
        QTest::keyClick(Chart, Qt::Key_Left, Qt::ShiftModifier);
        QVERIFY(RangeX().first < zoomed.first);
        QTest::keyClick(Chart, Qt::Key_Minus);
        QTest::keyClick(Chart, Qt::Key_Home);
        QCOMPARE(RangeX(), whole);
    }

    // The wheel zooms around the pointer down to the least spans, where the
    // tick labels still tell each other apart; the middle button drags the view.
    void wheelAndMiddleButton()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QWidget* viewport = View()->viewport();
        const QPoint at = View()->mapFromScene(View()->chart()->plotArea().center());
        for (int notch = 0; notch < 40; ++notch) {
            QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(viewport, &wheel);
        }
        QCoreApplication::processEvents();
        QCOMPARE(RangeX().second - RangeX().first, kLeastAngleSpan);
        QCOMPARE(Axis(Qt::Vertical)->max() - Axis(Qt::Vertical)->min(), kLeastDSpan);
        const auto [below, left] = TickLabels();
        for (const QStringList& labels : {below, left})
            QVERIFY2(labels.size() > 1 && QSet<QString>(labels.begin(), labels.end()).size() == labels.size(),
                     qPrintable(labels.join(u' ')));

        const auto zoomed = RangeX();
        QTest::mousePress(viewport, Qt::MiddleButton, {}, at);
        QTest::mouseMove(viewport, at + QPoint(40, 0));
        QTest::mouseRelease(viewport, Qt::MiddleButton, {}, at + QPoint(40, 0));
        QVERIFY(RangeX().first < zoomed.first);
    }

    // Left drag zooms in, Shift with it pans; Home, Escape and the menu entry
    // show the whole range; the right button opens the menu and does not zoom out.
    void zoom()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        Chart->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        const auto whole = RangeX();
        const QRectF plot = View()->chart()->plotArea();
        QWidget* viewport = View()->viewport();
        const QPoint from = View()->mapFromScene(plot.center() - QPointF(plot.width() / 8, plot.height() / 4));
        const QPoint to = View()->mapFromScene(plot.center() + QPointF(plot.width() / 8, plot.height() / 4));
        const auto dragAcrossTheMiddle = [&] {
            QTest::mousePress(viewport, Qt::LeftButton, {}, from);
            QTest::mouseMove(viewport, to);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
            QVERIFY(RangeX().first > whole.first && RangeX().second < whole.second);
        };
        const std::function<void()> resets[] = {
            [] { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Home); },
            [] { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape); },
            [this] { ChartAction("Показать весь диапазон")->trigger(); },
        };
        for (const auto& reset : resets) {
            dragAcrossTheMiddle();
            reset();
            QCOMPARE(RangeX(), whole);
        }
        QVERIFY(Chart->isVisible());

        dragAcrossTheMiddle();
        const auto zoomed = RangeX();
        QTest::mousePress(viewport, Qt::LeftButton, Qt::ShiftModifier, to);
        QTest::mouseMove(viewport, from);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ShiftModifier, from);
        QVERIFY(RangeX().first > zoomed.first);
        QCOMPARE(RangeX().second - RangeX().first, zoomed.second - zoomed.first);
        const auto panned = RangeX();
        QMenu* menu = OpenChartMenu();
        QVERIFY(menu);
        QCOMPARE(RangeX(), panned);
        menu->close();
    }

    void saveData()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        const QString path = Folder.filePath(QStringLiteral("defaults.csv"));
        QVERIFY(Chart->SaveData(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        // What formula-scan --samples writes, which reads back bit for bit.
        TSweep sweep;
        ScanDeviations("0.00", "89.99", &sweep);
        QCOMPARE(csv, QByteArray::fromStdString(SamplesCsv(sweep.Samples)));
        QVERIFY(csv.startsWith("angle,value,d\n0,0,0\n"));
        QVERIFY(csv.endsWith("\n89.98000000000913,89.70079379529184,0.2792062047172834\n"));
    }

    // Both entries go through the standard file dialog, in Russian.
    void saveThroughTheDialog_data()
    {
        QTest::addColumn<bool>("image");
        QTest::newRow("image") << true;
        QTest::newRow("data") << false;
    }

    void saveThroughTheDialog()
    {
        QFETCH(bool, image);
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        const QString path = Folder.filePath(image ? QStringLiteral("chart.png") : QStringLiteral("chart.csv"));
        // Asked again while the dialog still reads its folder and has not taken the name.
        std::function<void(QFileDialog*)> answer = [&](QFileDialog* dialog) {
            dialog->setDirectory(QFileInfo(path).absolutePath());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(path).fileName());
            if (dialog->selectedFiles() != QStringList{path})
                return void(AnswerDialog = answer);
            QMetaObject::invokeMethod(dialog, "accept");
        };
        AnswerDialog = answer;
        (image ? ChartAction("Сохранить изображение…") : ChartAction("Сохранить данные…"))->trigger();
        QVERIFY(DialogButtons.contains(QStringLiteral("&Сохранить")) || DialogButtons.contains(QStringLiteral("Сохранить")));
        QVERIFY2(DialogButtons.contains(QStringLiteral("Отмена")), qPrintable(DialogButtons.join(u' ')));
        QVERIFY(BoxTexts.isEmpty());
        QVERIFY(QFile::exists(path));
        if (image) {
            const QImage png(path, "PNG");
            QCOMPARE(png.size(), View()->size() * Chart->devicePixelRatio());
        }
    }

    // The filter's extension goes onto a name without one; the dialog starts
    // in the pictures or documents folder, home without it, then in the folder
    // of the last save.
    void saveFolders()
    {
        const QString home = Folder.filePath(QStringLiteral("home"));
        const QString other = Folder.filePath(QStringLiteral("other"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/Pictures")) && QDir().mkpath(other));
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home));
        QStringList started;
        std::function<void(QFileDialog*)> answer;
        const auto saveAs = [&](QAction* action, const QString& path, const QString& saved) {
            // Asked again while the dialog still reads its folder and has not taken the name.
            answer = [&, path, saved](QFileDialog* dialog) {
                const QString folder = dialog->directory().absolutePath();
                dialog->setDirectory(QFileInfo(path).absolutePath());
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(path).fileName());
                if (dialog->selectedFiles() != QStringList{saved})
                    return void(AnswerDialog = answer);
                started.append(folder);
                QMetaObject::invokeMethod(dialog, "accept");
            };
            AnswerDialog = answer;
            action->trigger();
        };
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        saveAs(ChartAction("Сохранить изображение…"), other + QStringLiteral("/picture"), other + QStringLiteral("/picture.png"));
        saveAs(ChartAction("Сохранить данные…"), other + QStringLiteral("/data"), other + QStringLiteral("/data.csv"));
        init();
        saveAs(ChartAction("Сохранить данные…"), home + QStringLiteral("/data.txt"), home + QStringLiteral("/data.txt"));
        qputenv("HOME", realHome);
        QCOMPARE(started, (QStringList{home + QStringLiteral("/Pictures"), other, home}));
        QCOMPARE(QDir(other).entryList(QDir::Files), (QStringList{QStringLiteral("data.csv"), QStringLiteral("picture.png")}));
        QVERIFY(QFile::exists(home + QStringLiteral("/data.txt")));
    }

    // In the chart Ctrl+C copies its image, Ctrl+S and Ctrl+Shift+S save, and
    // Ctrl+G raises the main window, whose entry for the chart brings back a
    // minimised chart, and where Ctrl+C still copies the selected text.
    void windowKeys()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        QTest::keyClick(Chart, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->image().size(), View()->size() * Chart->devicePixelRatio());
        QStringList captions;
        const Qt::KeyboardModifiers control(Qt::ControlModifier);
        for (const Qt::KeyboardModifiers modifiers : {control, control | Qt::ShiftModifier}) {
            AnswerDialog = [&captions](QFileDialog* dialog) {
                captions.append(dialog->windowTitle());
                QMetaObject::invokeMethod(dialog, "reject");
            };
            Chart->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(Chart));
            QTest::keyClick(Chart, Qt::Key_S, modifiers);
        }
        QCOMPARE(captions, (QStringList{QStringLiteral("Сохранить данные"), QStringLiteral("Сохранить изображение")}));

        Chart->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        QTest::keyClick(Chart, Qt::Key_G, Qt::ControlModifier);
        QTRY_COMPARE(QApplication::activeWindow(), Form.get());
        Chart->showMinimized();
        QTRY_VERIFY(Chart->isMinimized());
        OpenAction()->trigger();
        QVERIFY(!Chart->isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(Chart));

        Form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), Form.get());
        Form->Memo1->setFocus();
        Form->Memo1->selectAll();
        QTest::keyClick(Form->Memo1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), Form->Memo1->toPlainText());
    }

    // A write that cannot succeed, even for root, is reported with the
    // system's reason and leaves no file, whole or partial, under the name.
    void failedSave_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("image");
        const QDir fail(Folder.filePath(QStringLiteral("fail")));
        QVERIFY(fail.mkpath(QStringLiteral("gone")));
        QVERIFY(QDir(fail.filePath(QStringLiteral("gone"))).removeRecursively());
        QFile plain(fail.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        for (const bool image : {false, true}) {
            const QString name = image ? QStringLiteral("chart.png") : QStringLiteral("chart.csv");
            QTest::addRow("under a regular file, %s", image ? "image" : "data")
                << fail.filePath(QStringLiteral("plain/") + name) << image;
            QTest::addRow("in a vanished folder, %s", image ? "image" : "data")
                << fail.filePath(QStringLiteral("gone/") + name) << image;
        }
    }

    void failedSave()
    {
        QFETCH(QString, path);
        QFETCH(bool, image);
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QVERIFY(!(image ? Chart->SaveImage(path) : Chart->SaveData(path)));
        QCOMPARE(BoxTexts.size(), 1);
        QVERIFY2(BoxTexts[0].startsWith(QStringLiteral("Не удалось сохранить «") + path + QStringLiteral("»:\n")),
                 qPrintable(BoxTexts[0]));
        QVERIFY2(BoxTexts[0].section(u'\n', 1).size() > 3, qPrintable(BoxTexts[0]));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(QDir(Folder.filePath(QStringLiteral("fail"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{QStringLiteral("plain")});
        CheckShown(kDefaults);
        QVERIFY(Chart->isVisible());
    }

    // A failed press in the chart's time: the box shows on the chart's
    // screen, no press of the mouse reaches either window while it is up,
    // and the chart is active afterwards with its focus where it was.
    void failureBoxBlocksEveryWindow_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("chart beside the main window") << 0;
        QTest::newRow("chart on another screen") << 1;
    }

    void failureBoxBlocksEveryWindow()
    {
        QFETCH(int, screen);
        Open();
        Chart->move(QGuiApplication::screens().at(screen)->availableGeometry().center() - QPoint(200, 200));
        QCOMPARE(Chart->screen(), QGuiApplication::screens().at(screen));
        Chart->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        QWidget* const focused = QApplication::focusWidget();
        QVERIFY(focused && focused->window() == Chart);
        const auto* band = Chart->findChild<QRubberBand*>();
        const QPoint plot = View()->viewport()->mapTo(Chart, View()->viewport()->rect().center());
        const QPoint button = Form->Button1->mapTo(Form.get(), Form->Button1->rect().center());
        bool up = false;
        WhileBoxUp = [&](QMessageBox* box) {
            up = true;
            QCOMPARE(box->screen(), Chart->screen());
            QTest::mousePress(Chart->windowHandle(), Qt::LeftButton, {}, plot);
            QTest::mouseRelease(Chart->windowHandle(), Qt::LeftButton, {}, plot);
            QVERIFY(!band->isVisible());
            QTest::mousePress(Form->windowHandle(), Qt::LeftButton, {}, button);
            QVERIFY(!Form->Button1->isDown());
            QTest::mouseRelease(Form->windowHandle(), Qt::LeftButton, {}, button);
        };
        Form->Edit1->setText(QStringLiteral("1e400"));
        Form->Button1->click();
        QVERIFY(up);
        QCOMPARE(BoxTexts.size(), 1);
        QTRY_COMPARE(QApplication::activeWindow(), Chart);
        QCOMPARE(QApplication::focusWidget(), focused);
        // The same press reaches the chart without the box.
        QTest::mousePress(Chart->windowHandle(), Qt::LeftButton, {}, plot);
        QVERIFY(band->isVisible());
        QTest::mouseRelease(Chart->windowHandle(), Qt::LeftButton, {}, plot);
    }

    // Memo1's menu: the new first entry, then Qt's own, in Russian.
    void reportMenuOpensTheChart()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        const QPoint inside = Form->Memo1->viewport()->mapTo(Form.get(), QPoint(20, 20));
        QTest::mouseClick(Form->windowHandle(), Qt::RightButton, {}, inside);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QCOMPARE(Entries(menu), (QStringList{QStringLiteral("График отклонений"), QStringLiteral("—"),
                                             QStringLiteral("Копировать"), QStringLiteral("—"),
                                             QStringLiteral("Выделить всё")}));
        QCOMPARE(menu->actions().constFirst()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        menu->actions().constFirst()->trigger();
        menu->close();
        QVERIFY(QTest::qWaitForWindowExposed(Chart));
        CheckShown(kDefaults);
    }

    void ctrlGFromEveryControl()
    {
        for (QWidget* control : QList<QWidget*>{Form->Edit1, Form->Edit2, Form->Button1, Form->Memo1}) {
            Chart->close();
            Form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(Form.get()));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_G, Qt::ControlModifier);
            QVERIFY2(Chart->isVisible(), qPrintable(control->metaObject()->className()));
        }
        QCOMPARE(Form->Edit1->text(), QStringLiteral("0.00"));
        QCOMPARE(Form->Edit2->text(), QStringLiteral("89.99"));
    }

    // A window of its own, transient for none, that still closes and goes
    // with the main window.
    void closesWithTheMainWindow()
    {
        Open();
        QVERIFY(!Chart->parentWidget());
        QVERIFY(!Chart->windowHandle()->transientParent());
        QVERIFY(Form->close());
        QVERIFY(!Chart->isVisible());
        const QPointer<TChartForm> chart(Chart);
        Form.reset();
        QVERIFY(chart.isNull());
    }

    void chartMenuInRussian()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QMenu* menu = OpenChartMenu();
        QVERIFY(menu);
        QCOMPARE(Entries(menu), (QStringList{QStringLiteral("Показать весь диапазон"), QStringLiteral("—"),
                                             QStringLiteral("Копировать изображение"),
                                             QStringLiteral("Сохранить изображение…"),
                                             QStringLiteral("Сохранить данные…")}));
        QCOMPARE(menu->actions().constFirst()->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Escape)}));
        menu->close();
    }

    // Qt's own texts read in Russian whatever the locale: the application loads them.
    void fieldMenusInRussian()
    {
        const QStringList expected{QStringLiteral("Отменить действие"), QStringLiteral("Повторить действие"),
                                   QStringLiteral("—"), QStringLiteral("Вырезать"), QStringLiteral("Копировать"),
                                   QStringLiteral("Вставить"), QStringLiteral("Удалить"), QStringLiteral("—"),
                                   QStringLiteral("Выделить всё")};
        for (QLineEdit* field : {Form->Edit1, Form->Edit2}) {
            const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
            QCOMPARE(Entries(menu.get()), expected);
        }
    }
};

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    TestChart test;
    return QTest::qExec(&test, argc, argv);
}

#include "chart_test.moc"
