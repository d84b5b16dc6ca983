// The chart window beside the designed one, and Qt's own texts in Russian.
#include <charconv>
#include <functional>
#include <memory>
#include <random>

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
#include "samples/samplescsv.h"
#include "scan/scan.h"
#include "tchartform.h"
#include "tform1.h"

namespace {

TSweep Walk(const char* start, const char* end)
{
    TSweep sweep;
    ScanDeviations(start, end, &sweep);
    return sweep;
}

QList<QPointF> Points(const std::vector<TSample>& samples)
{
    QList<QPointF> points;
    for (const TSample& sample : samples)
        points.append({sample.Angle, sample.D});
    return points;
}

// Menu entries as shown, without the accelerator marks and the shortcut column.
QStringList Entries(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries.append(action->isSeparator() ? QStringLiteral("—") : action->text().remove(u'&').section(u'\t', 0, 0));
    return entries;
}

} // namespace

class TestChart : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> Form;
    TChartForm* Chart = nullptr;
    QTemporaryDir Folder;
    QTimer ModalWatch;
    QStringList BoxTexts;
    // Answers the next file dialog; notes its buttons' texts.
    std::function<void(QFileDialog*)> AnswerDialog;
    QStringList DialogButtons;

    void AnswerModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            BoxTexts.append(box->text());
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

    // A kept sample's point: the markers hold them largest deviation last.
    QPointF KeptPoint(int kept) const { return Chart->Markers->at(Chart->Markers->count() - 1 - kept); }

    // Where a point is, in the view's viewport.
    QPoint PixelOf(const QPointF& point) const
    {
        return Chart->View->mapFromScene(Chart->View->chart()->mapToPosition(point, Chart->Markers));
    }

    QPoint MarkerAt(int kept) const { return PixelOf(KeptPoint(kept)); }

    // The hover text with the pointer at a point of the viewport, come from
    // outside the plot; to the chart's window itself, as offscreen windows
    // have no stacking order.
    QString HoverAt(const QPoint& at)
    {
        QTest::mouseMove(Chart->windowHandle(), QPoint(1, 1));
        QTest::mouseMove(Chart->windowHandle(), Chart->View->viewport()->mapTo(Chart, at));
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // Spreads the markers around a kept sample apart, a step being wider than a marker.
    void ZoomTo(double angle)
    {
        Chart->AxisX->setRange(angle - 0.05, angle + 0.05);
        QCoreApplication::processEvents();
    }

    QPair<double, double> RangeX() const { return {Chart->AxisX->min(), Chart->AxisX->max()}; }

    // The chart holds exactly the walk's doubles.
    void CompareWithWalk(const char* start, const char* end)
    {
        const TSweep walk = Walk(start, end);
        QCOMPARE(Chart->Line->points(), Points(walk.Samples));
        QCOMPARE(Chart->Markers->points(), Points({walk.Kept.rbegin(), walk.Kept.rend()}));
        QCOMPARE(Chart->Largest->points(), Points({walk.Kept.begin(), walk.Kept.begin() + qsizetype(!walk.Kept.empty())}));
    }

    // The axes' tick labels as shown, those below the plot and those left of it.
    QPair<QStringList, QStringList> TickLabels() const
    {
        const QRectF plot = Chart->View->chart()->plotArea();
        QMap<qreal, QString> below, left;  // by place: left to right, top to bottom
        for (const QGraphicsItem* item : Chart->View->scene()->items())
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
        QCOMPARE(Chart->AxisX->titleText(), QStringLiteral("Угол, °"));
        QCOMPARE(Chart->AxisY->titleText(), QStringLiteral("d = θ − r(θ), °"));
        QCOMPARE(Chart->Line->count(), 0);
        QCOMPARE(Chart->Zero->count(), 0);
        QVERIFY(Chart->NoSamples->isVisible());
        QCOMPARE(Chart->NoSamples->text(), QStringLiteral("Нет отсчётов"));
        const auto before = TickLabels();
        // The designed window keeps its size.
        QCOMPARE(Form->size(), QSize(585, 388));

        Press(QStringLiteral("95"), QStringLiteral("100"));
        QCOMPARE(Chart->RangeTitle->text(), QStringLiteral("95.00 … 89.99, отсчётов: 0"));
        CompareWithWalk("95.00", "89.99");
        QCOMPARE(Chart->Zero->count(), 0);
        QVERIFY(Chart->NoSamples->isVisible());
        QCOMPARE(TickLabels(), before);
        Press(QStringLiteral("1"), QStringLiteral("2"));
        QVERIFY(!Chart->NoSamples->isVisible());
    }

    // The range with margins that keep the end markers whole, and its title.
    void defaultRun()
    {
        Open();
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        QCOMPARE(Chart->Line->count(), 8999);
        QCOMPARE(Chart->Markers->count(), 100);
        CompareWithWalk("0.00", "89.99");
        QCOMPARE(Chart->RangeTitle->text(), QStringLiteral("0.00 … 89.99, отсчётов: 8999"));
        QCOMPARE(Chart->Zero->points(), (QList<QPointF>{{Chart->AxisX->min(), 0.0}, {Chart->AxisX->max(), 0.0}}));
        QVERIFY(Chart->AxisY->min() < -0.2629 && Chart->AxisY->max() > 0.2792);
        const QRect plot = Chart->View->mapFromScene(Chart->View->chart()->plotArea()).boundingRect();
        const int largest = int(Chart->Largest->markerSize() / 2);
        QVERIFY(PixelOf(Chart->Line->at(0)).x() - largest > plot.left());
        QVERIFY(MarkerAt(0).x() + largest < plot.right());
        QCOMPARE(TickLabels().first, (QStringList{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90"}));
    }

    // A run of one angle: a range around it, within 0…90.
    void oneAngle_data()
    {
        QTest::addColumn<QString>("angle");
        for (const char* angle : {"0", "45", "89.99"})
            QTest::newRow(angle) << QString::fromLatin1(angle);
    }

    void oneAngle()
    {
        QFETCH(QString, angle);
        Open();
        Press(angle, angle);
        QCOMPARE(Chart->Line->count(), 1);
        const QPointF point = Chart->Line->at(0);
        QVERIFY(Chart->AxisX->min() < point.x() && point.x() < Chart->AxisX->max());
        for (const QString& label : TickLabels().first)
            QVERIFY2(label.toDouble() >= 0.0 && label.toDouble() <= 90.0, qPrintable(label));
    }

    // The chart follows every run, also one made while it was closed, and a
    // failed run leaves it as it leaves Memo1.
    void followsRuns()
    {
        Press(QStringLiteral("0"), QStringLiteral("89.99"));
        Open();
        CompareWithWalk("0.00", "89.99");
        Press(QStringLiteral("10"), QStringLiteral("20"));
        CompareWithWalk("10.00", "20.00");
        QCOMPARE(Chart->RangeTitle->text(), QStringLiteral("10.00 … 20.00, отсчётов: 1000"));

        Chart->close();
        Press(QStringLiteral("45"), QStringLiteral("45"));
        Open();
        CompareWithWalk("45.00", "45.00");

        for (const auto& [start, end] : {std::pair{"1e400", "5"}, std::pair{"1.79e308", "1.79e308"}}) {
            Press(QString::fromLatin1(start), QString::fromLatin1(end));
            QCOMPARE(BoxTexts.size(), 1);
            BoxTexts.clear();
            CompareWithWalk("45.00", "45.00");
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
        Chart->AxisY->setRange(0.1, 0.3);  // labels with decimals
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
        for (int kept = 0; kept < 100; ++kept) {
            ZoomTo(KeptPoint(kept).x());
            QCOMPARE(HoverAt(MarkerAt(kept)), ReportLine(kept));
        }
        QCOMPARE(ReportLine(27), QStringLiteral("69.0600 => 69.3229  d=-0.2629"));

        // 45.00 is no kept sample: the pointer a marker's width above its point.
        ZoomTo(45.0);
        const TSweep walk = Walk("0.00", "89.99");
        const TSample& sample = walk.Samples[4500];
        QCOMPARE(HoverAt(PixelOf({sample.Angle, sample.D}) - QPoint(0, 20)), QString::fromStdString(::ReportLine(sample)));
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
            ZoomTo(KeptPoint(kept).x());
            const auto range = RangeX();
            QTest::mouseClick(Chart->View->viewport(), Qt::LeftButton, {}, MarkerAt(kept));
            QCOMPARE(Form->Memo1->textCursor().selectedText(), ReportLine(kept));
            const QRect viewport = Form->Memo1->viewport()->rect();
            QVERIFY(viewport.contains(Form->Memo1->cursorRect()));
            if (kept == 27 || kept == 50)
                QVERIFY(std::abs(Form->Memo1->cursorRect().center().y() - viewport.center().y())
                        <= Form->Memo1->cursorRect().height());
            QCOMPARE(RangeX(), range);
        }
    }

    // With the chart focused: the first key chooses the largest deviation;
    // → and ← walk the kept samples by angle, Page Down and Page Up in report
    // order; each shows its line and selects it in Memo1.
    void keyboard()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        const TSweep walk = Walk("0.00", "89.99");
        std::vector<TSample> byAngle = walk.Kept;
        std::sort(byAngle.begin(), byAngle.end(), [](const TSample& a, const TSample& b) { return a.Angle < b.Angle; });
        const auto chosen = [this] {
            QCOMPARE(QToolTip::text(), Form->Memo1->textCursor().selectedText());
            QCOMPARE(Form->Memo1->textCursor().selectedText(),
                     Form->Memo1->document()->findBlock(Form->Memo1->textCursor().selectionStart()).text());
        };
        QTest::keyClick(Chart, Qt::Key_Left);
        QCOMPARE(Form->Memo1->textCursor().selectedText(), ReportLine(0));
        for (int i = 0; i < 100; ++i)
            QTest::keyClick(Chart, Qt::Key_Left);
        for (std::size_t i = 0; i < byAngle.size(); ++i) {
            QCOMPARE(Form->Memo1->textCursor().selectedText(), QString::fromStdString(::ReportLine(byAngle[i])));
            chosen();
            QTest::keyClick(Chart, Qt::Key_Right);
        }
        QTest::keyClick(Chart, Qt::Key_PageUp);
        QCOMPARE(Form->Memo1->textCursor().selectedText(), ReportLine(0));
        for (int kept = 1; kept < 100; ++kept) {
            QTest::keyClick(Chart, Qt::Key_PageDown);
            QCOMPARE(Form->Memo1->textCursor().selectedText(), ReportLine(kept));
            chosen();
        }

        // + and − zoom around the chosen sample, Shift with an arrow pans.
        const auto whole = RangeX();
        QTest::keyClick(Chart, Qt::Key_Plus);
        QVERIFY(RangeX().first > whole.first && RangeX().second < whole.second);
        QVERIFY(RangeX().first < KeptPoint(99).x() && KeptPoint(99).x() < RangeX().second);
        const auto zoomed = RangeX();
        QTest::keyClick(Chart, Qt::Key_Left, Qt::ShiftModifier);
        QVERIFY(RangeX().first < zoomed.first);
        QTest::keyClick(Chart, Qt::Key_Minus);
        QTest::keyClick(Chart, Qt::Key_Home);
        QCOMPARE(RangeX(), whole);
    }

    // Thirty wheel turns and drags from a fixed seed: the tick labels of each
    // axis stay distinct, and the view never narrower than its limits.
    void zoomHoldsUp()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        QWidget* viewport = Chart->View->viewport();
        std::mt19937 random(16);
        for (int i = 0; i < 30; ++i) {
            const QRect plot = Chart->View->mapFromScene(Chart->View->chart()->plotArea()).boundingRect();
            const auto inside = [&] {
                return QPoint(std::uniform_int_distribution(plot.left() + 2, plot.right() - 2)(random),
                              std::uniform_int_distribution(plot.top() + 2, plot.bottom() - 2)(random));
            };
            const QPoint from = inside();
            switch (std::uniform_int_distribution(0, 3)(random)) {
            case 0:
            case 1: {
                const QPoint global = viewport->mapToGlobal(from);
                QWheelEvent wheel(from, global, {}, QPoint(0, std::uniform_int_distribution(-2, 6)(random) * 120),
                                  Qt::NoButton, {}, Qt::NoScrollPhase, false);
                QApplication::sendEvent(viewport, &wheel);
                break;
            }
            case 2: {
                std::uniform_int_distribution size(5, 40);
                const QPoint to = from + QPoint(size(random), size(random));
                QTest::mousePress(viewport, Qt::LeftButton, {}, from);
                QTest::mouseMove(viewport, to);
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
                break;
            }
            default: {
                const QPoint to = inside();
                QTest::mousePress(viewport, Qt::MiddleButton, {}, from);
                QTest::mouseMove(viewport, to);
                QTest::mouseRelease(viewport, Qt::MiddleButton, {}, to);
            }
            }
            QCoreApplication::processEvents();
            const auto [below, left] = TickLabels();
            for (const QStringList& labels : {below, left})
                QVERIFY2(QSet<QString>(labels.begin(), labels.end()).size() == labels.size(), qPrintable(labels.join(u' ')));
            QVERIFY(Chart->AxisX->max() - Chart->AxisX->min() >= TChartForm::kLeastAngleSpan * (1 - 1e-12));
            QVERIFY(Chart->AxisY->max() - Chart->AxisY->min() >= TChartForm::kLeastDSpan * (1 - 1e-12));
        }
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
        const QRectF plot = Chart->View->chart()->plotArea();
        QWidget* viewport = Chart->View->viewport();
        const QPoint from = Chart->View->mapFromScene(plot.center() - QPointF(plot.width() / 8, plot.height() / 4));
        const QPoint to = Chart->View->mapFromScene(plot.center() + QPointF(plot.width() / 8, plot.height() / 4));
        const auto dragAcrossTheMiddle = [&] {
            QTest::mousePress(viewport, Qt::LeftButton, {}, from);
            QTest::mouseMove(viewport, to);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
            QVERIFY(RangeX().first > whole.first && RangeX().second < whole.second);
        };
        const std::function<void()> resets[] = {
            [] { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Home); },
            [] { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape); },
            [this] { Chart->WholeRangeAction->trigger(); },
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
        const QPoint inside = viewport->mapTo(Chart, viewport->rect().center());
        QTest::mouseClick(Chart->windowHandle(), Qt::RightButton, {}, inside);
        QTRY_COMPARE(QApplication::activePopupWidget(), Chart->Menu);
        QCOMPARE(RangeX(), panned);
        Chart->Menu->close();
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
        const TSweep walk = Walk("0.00", "89.99");
        QCOMPARE(csv, QByteArray::fromStdString(SamplesCsv(walk.Samples)));
        QList<QByteArray> rows = csv.split('\n');
        QCOMPARE(rows.takeFirst(), QByteArray("angle,value,d"));
        QCOMPARE(rows.takeLast(), QByteArray());
        QCOMPARE(rows.size(), 8999);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QList<QByteArray> fields = rows[i].split(',');
            QCOMPARE(fields.size(), 3);
            const double expected[] = {walk.Samples[std::size_t(i)].Angle, walk.Samples[std::size_t(i)].Value,
                                       walk.Samples[std::size_t(i)].D};
            for (int f = 0; f < 3; ++f) {
                double read = -1.0;
                const auto [end, error] = std::from_chars(fields[f].cbegin(), fields[f].cend(), read);
                QVERIFY(error == std::errc() && end == fields[f].cend() && read == expected[f]);
            }
        }
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
        AnswerDialog = [&path](QFileDialog* dialog) {
            // Typed: selectFile leaves the name alone while the field has the focus.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        };
        (image ? Chart->SaveImageAction : Chart->SaveDataAction)->trigger();
        QVERIFY(DialogButtons.contains(QStringLiteral("&Сохранить")) || DialogButtons.contains(QStringLiteral("Сохранить")));
        QVERIFY2(DialogButtons.contains(QStringLiteral("Отмена")), qPrintable(DialogButtons.join(u' ')));
        QVERIFY(BoxTexts.isEmpty());
        QVERIFY(QFile::exists(path));
        if (image) {
            const QImage png(path, "PNG");
            QCOMPARE(png.size(), Chart->View->size() * Chart->devicePixelRatio());
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
        saveAs(Chart->SaveImageAction, other + QStringLiteral("/picture"), other + QStringLiteral("/picture.png"));
        saveAs(Chart->SaveDataAction, other + QStringLiteral("/data"), other + QStringLiteral("/data.csv"));
        init();
        saveAs(Chart->SaveDataAction, home + QStringLiteral("/data.txt"), home + QStringLiteral("/data.txt"));
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
        QCOMPARE(QApplication::clipboard()->image().size(), Chart->View->size() * Chart->devicePixelRatio());
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
        Chart->OpenAction->trigger();
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
        CompareWithWalk("0.00", "89.99");
        QVERIFY(Chart->isVisible());
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
        CompareWithWalk("0.00", "89.99");
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
        QCOMPARE(Entries(Chart->Menu), (QStringList{QStringLiteral("Показать весь диапазон"), QStringLiteral("—"),
                                                    QStringLiteral("Копировать изображение"),
                                                    QStringLiteral("Сохранить изображение…"),
                                                    QStringLiteral("Сохранить данные…")}));
        QCOMPARE(Chart->WholeRangeAction->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Escape)}));
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
