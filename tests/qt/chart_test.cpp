// The chart window beside the designed one, and Qt's own texts in Russian.
#include <charconv>
#include <functional>
#include <memory>

#include <QChart>
#include <QChartView>
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
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>

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

    // Where a kept sample's marker is, in the view's viewport.
    QPoint MarkerAt(int kept) const
    {
        const QPointF point = Chart->Markers->at(kept);
        return Chart->View->mapFromScene(Chart->View->chart()->mapToPosition(point, Chart->Markers));
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
        QCOMPARE(Chart->Markers->points(), Points(walk.Kept));
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

    void emptyAxesBeforeAnyRun()
    {
        QVERIFY(!Chart->isVisible());
        Open();
        QVERIFY(Chart->isWindow());
        QCOMPARE(Chart->windowTitle(), QStringLiteral("График отклонений"));
        QCOMPARE(Chart->AxisX->titleText(), QStringLiteral("Угол, °"));
        QCOMPARE(Chart->AxisY->titleText(), QStringLiteral("d = θ − r(θ), °"));
        QCOMPARE(Chart->Line->count(), 0);
        QCOMPARE(Chart->Markers->count(), 0);
        QCOMPARE(Chart->Zero->count(), 0);
        // The designed window keeps its focus and its size.
        QCOMPARE(Form->size(), QSize(585, 388));
    }

    void defaultRun()
    {
        Open();
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        QCOMPARE(Chart->Line->count(), 8999);
        QCOMPARE(Chart->Markers->count(), 100);
        CompareWithWalk("0.00", "89.99");
        QCOMPARE(Chart->Zero->points(), (QList<QPointF>{{Chart->AxisX->min(), 0.0}, {Chart->AxisX->max(), 0.0}}));
        QVERIFY(Chart->AxisX->min() <= 0.0 && Chart->AxisX->max() >= 89.98);
        QVERIFY(Chart->AxisY->min() < -0.2629 && Chart->AxisY->max() > 0.2792);
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
        QVERIFY(Chart->AxisX->min() <= 10.0 && Chart->AxisX->max() >= 19.99 && Chart->AxisX->max() < 30.0);

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

        Press(QStringLiteral("95"), QStringLiteral("100"));
        QCOMPARE(Chart->Line->count(), 0);
        QCOMPARE(Chart->Zero->count(), 0);
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
        QStringList numbers;
        for (const QGraphicsItem* item : Chart->View->scene()->items())
            if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
                if (text->toPlainText().contains(QRegularExpression(QStringLiteral("^-?[0-9][0-9.,]*$"))))
                    numbers.append(text->toPlainText());
        QVERIFY2(numbers.size() >= 6, qPrintable(numbers.join(u' ')));
        QVERIFY2(numbers.filter(QStringLiteral(",")).isEmpty(), qPrintable(numbers.join(u' ')));
        QVERIFY2(!numbers.filter(QStringLiteral(".")).isEmpty(), qPrintable(numbers.join(u' ')));
    }

    void hoverShowsReportLine_data()
    {
        QTest::addColumn<int>("kept");
        QTest::newRow("largest") << 0;
        QTest::newRow("first negative") << 27;
        QTest::newRow("last") << 99;
    }

    void hoverShowsReportLine()
    {
        QFETCH(int, kept);
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        ZoomTo(Chart->Markers->at(kept).x());
        // To the chart's window itself: offscreen windows have no stacking order.
        QTest::mouseMove(Chart->windowHandle(), Chart->View->viewport()->mapTo(Chart, MarkerAt(kept)));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), ReportLine(kept));
        if (kept == 27)
            QCOMPARE(QToolTip::text(), QStringLiteral("69.0600 => 69.3229  d=-0.2629"));
    }

    // A click on a marker selects its line in Memo1 and scrolls to it; it zooms nothing.
    void clickSelectsReportLine()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        for (int kept : {99, 27, 0}) {
            ZoomTo(Chart->Markers->at(kept).x());
            const auto range = RangeX();
            QTest::mouseClick(Chart->View->viewport(), Qt::LeftButton, {}, MarkerAt(kept));
            QCOMPARE(Form->Memo1->textCursor().selectedText(), ReportLine(kept));
            QVERIFY(Form->Memo1->viewport()->rect().contains(Form->Memo1->cursorRect()));
            QCOMPARE(RangeX(), range);
        }
    }

    // Left drag zooms in; Home, Escape and the menu entry show the whole range;
    // the right button opens the menu and does not zoom out.
    void zoom()
    {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        Open();
        Chart->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Chart));
        const auto whole = RangeX();
        const QRectF plot = Chart->View->chart()->plotArea();
        const auto dragAcrossTheMiddle = [&] {
            QWidget* viewport = Chart->View->viewport();
            const QPoint from = Chart->View->mapFromScene(plot.center() - QPointF(plot.width() / 8, plot.height() / 4));
            const QPoint to = Chart->View->mapFromScene(plot.center() + QPointF(plot.width() / 8, plot.height() / 4));
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
        const QPoint inside = Chart->View->viewport()->mapTo(Chart, Chart->View->viewport()->rect().center());
        QTest::mouseClick(Chart->windowHandle(), Qt::RightButton, {}, inside);
        QTRY_COMPARE(QApplication::activePopupWidget(), Chart->Menu);
        QCOMPARE(RangeX(), zoomed);
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
            dialog->selectFile(path);
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

    void closesWithTheMainWindow()
    {
        Open();
        QVERIFY(Form->close());
        QVERIFY(!Chart->isVisible());
    }

    void chartMenuInRussian()
    {
        QCOMPARE(Entries(Chart->Menu), (QStringList{QStringLiteral("Показать весь диапазон"), QStringLiteral("—"),
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
