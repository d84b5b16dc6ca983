#include "tchartform.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRubberBand>
#include <QSaveFile>
#include <QScatterSeries>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include "samples/samplescsv.h"
#include "scan/scan.h"

namespace {

// The range shown before any run, and for a run without samples.
const QRectF kEmptyRange(QPointF(0, -1), QPointF(90, 1));

// The kept sample a marker stands for: the nearest in angle, as kept angles
// lie at least a step apart.
int KeptIndex(const std::vector<TSample>& kept, const QPointF& point)
{
    const auto nearer = [&point](const TSample& a, const TSample& b) {
        return std::fabs(a.Angle - point.x()) < std::fabs(b.Angle - point.x());
    };
    const auto nearest = std::min_element(kept.begin(), kept.end(), nearer);
    return nearest == kept.end() ? -1 : int(nearest - kept.begin());
}

// The range that shows every sample and the zero line: d with a margin, and
// a lone sample in the middle of a degree.
QRectF RangeOf(const std::vector<TSample>& samples)
{
    if (samples.empty())
        return kEmptyRange;
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end(),
                                                 [](const TSample& a, const TSample& b) { return a.D < b.D; });
    const double bottom = std::min(0.0, low->D);
    const double top = std::max(0.0, high->D);
    const double dMargin = top > bottom ? (top - bottom) * 0.05 : 0.1;
    const double first = samples.front().Angle;
    const double last = samples.back().Angle;
    const double angleMargin = last > first ? 0.0 : 0.5;
    return QRectF(QPointF(first - angleMargin, bottom - dMargin), QPointF(last + angleMargin, top + dMargin));
}

// Sets round ends and a round step for the labels, found on a detached axis:
// the chart's axis changes at most once, not at all when a run keeps the
// range, and each change lays out every point again.
void SetRoundRange(QValueAxis* axis, double low, double high, int ticks)
{
    QValueAxis round;
    round.setTickCount(ticks);
    round.setRange(low, high);
    round.applyNiceNumbers();
    axis->setTickCount(round.tickCount());
    axis->setRange(round.min(), round.max());
}

QList<QPointF> Points(const std::vector<TSample>& samples)
{
    QList<QPointF> points;
    points.reserve(qsizetype(samples.size()));
    for (const TSample& sample : samples)
        points.append({sample.Angle, sample.D});
    return points;
}

} // namespace

TChartForm::TChartForm(QWidget* owner, QPlainTextEdit* report)
    : QWidget(owner, Qt::Window)
    , Menu(new QMenu(this))
    , OpenAction(new QAction(QStringLiteral("График отклонений"), this))
    , WholeRangeAction(new QAction(QStringLiteral("Показать весь диапазон"), this))
    , SaveImageAction(new QAction(QStringLiteral("Сохранить изображение…"), this))
    , SaveDataAction(new QAction(QStringLiteral("Сохранить данные…"), this))
    , Owner(owner)
    , Report(report)
    , WholeRange(kEmptyRange)
{
    setWindowTitle(QStringLiteral("График отклонений"));
    resize(760, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());

    WholeRangeAction->setShortcuts({QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Escape)});
    connect(WholeRangeAction, &QAction::triggered, this, &TChartForm::ShowWholeRange);
    addAction(WholeRangeAction);
    connect(SaveImageAction, &QAction::triggered, this, [this] {
        AskAndSave(QStringLiteral("Сохранить изображение"), QStringLiteral("отклонения.png"),
                   QStringLiteral("Изображение PNG (*.png)"), &TChartForm::SaveImage);
    });
    connect(SaveDataAction, &QAction::triggered, this, [this] {
        AskAndSave(QStringLiteral("Сохранить данные"), QStringLiteral("отклонения.csv"),
                   QStringLiteral("Данные CSV (*.csv)"), &TChartForm::SaveData);
    });
    Menu->addAction(WholeRangeAction);
    Menu->addSeparator();
    Menu->addAction(SaveImageAction);
    Menu->addAction(SaveDataAction);

    // The ways in from the main window.
    OpenAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(OpenAction, &QAction::triggered, this, &TChartForm::Open);
    owner->addAction(OpenAction);
    owner->installEventFilter(this);
    report->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(report, &QWidget::customContextMenuRequested, this, &TChartForm::ShowReportMenu);
}

void TChartForm::Build()
{
    View = new QChartView(this);
    Line = new QLineSeries(this);
    Markers = new QScatterSeries(this);
    Zero = new QLineSeries(this);
    AxisX = new QValueAxis(this);
    AxisY = new QValueAxis(this);
    Band = new QRubberBand(QRubberBand::Rectangle, View->viewport());

    QChart* chart = View->chart();
    chart->setLocalizeNumbers(false);
    chart->setMargins(QMargins(4, 4, 4, 4));

    Line->setName(QStringLiteral("Все отсчёты"));
    // One pixel wide: the samples lie less than a pixel apart.
    Line->setPen(QPen(QColor(0x20, 0x60, 0xC0), 1));
    Markers->setName(QStringLiteral("Отсчёты отчёта"));
    Markers->setColor(QColor(0xE0, 0x40, 0x20));
    Markers->setBorderColor(QColor(0xE0, 0x40, 0x20));
    Markers->setMarkerSize(7);
    Zero->setPen(QPen(Qt::gray, 1));

    // Not localised, "%g" writes a point whatever the locale, and no trailing zeros.
    AxisX->setLabelFormat(QStringLiteral("%g"));
    AxisY->setLabelFormat(QStringLiteral("%g"));
    AxisX->setTitleText(QStringLiteral("Угол, °"));
    AxisY->setTitleText(QStringLiteral("d = θ − r(θ), °"));
    chart->addAxis(AxisX, Qt::AlignBottom);
    chart->addAxis(AxisY, Qt::AlignLeft);
    // Added last, the markers lie on top and take the hover and the click.
    for (QXYSeries* series : {static_cast<QXYSeries*>(Zero), static_cast<QXYSeries*>(Line),
                              static_cast<QXYSeries*>(Markers)}) {
        chart->addSeries(series);
        series->attachAxis(AxisX);
        series->attachAxis(AxisY);
    }
    chart->legend()->markers(Zero).constFirst()->setVisible(false);
    chart->legend()->setAlignment(Qt::AlignTop);
    ShowWholeRange();

    View->setRenderHint(QPainter::Antialiasing);
    // The view's own rubber band swallows the clicks meant for the markers, or
    // with click-through never starts over them: this one watches the mouse
    // and lets every event through. A right click zooms nothing.
    View->viewport()->installEventFilter(this);
    View->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(View, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { Menu->popup(View->viewport()->mapToGlobal(position)); });
    layout()->addWidget(View);

    connect(Markers, &QXYSeries::hovered, this, &TChartForm::ShowKeptLine);
    connect(Markers, &QXYSeries::clicked, this, &TChartForm::SelectKeptLine);
}

void TChartForm::ShowSweep(TSweep sweep)
{
    Shown = std::move(sweep);
    Plotted = false;
    if (isVisible())
        Plot();
}

void TChartForm::setVisible(bool visible)
{
    // Built and laid out only when shown: a start that never opens the chart
    // does not pay for it, and a hidden chart does not lay out thousands of
    // points at every run.
    if (visible && !View)
        Build();
    if (visible && !Plotted)
        Plot();
    QWidget::setVisible(visible);
}

void TChartForm::Plot()
{
    // Every change of an axis lays out every point again: empty the line
    // first, so its thousands of points are laid out once, at the end.
    Line->clear();
    const QRectF range = RangeOf(Shown.Samples);
    // Tens of degrees over the whole range.
    SetRoundRange(AxisX, range.left(), range.right(), 10);
    SetRoundRange(AxisY, range.top(), range.bottom(), 5);
    WholeRange = QRectF(QPointF(AxisX->min(), AxisY->min()), QPointF(AxisX->max(), AxisY->max()));
    if (Shown.Samples.empty())
        Zero->clear();
    else
        Zero->replace({{WholeRange.left(), 0.0}, {WholeRange.right(), 0.0}});
    Line->replace(Points(Shown.Samples));
    Markers->replace(Points(Shown.Kept));
    Plotted = true;
}

void TChartForm::ShowWholeRange()
{
    AxisX->setRange(WholeRange.left(), WholeRange.right());
    AxisY->setRange(WholeRange.top(), WholeRange.bottom());
}

void TChartForm::Open()
{
    show();
    raise();
    activateWindow();
}

void TChartForm::ShowKeptLine(const QPointF& point, bool hovered)
{
    const int index = KeptIndex(Shown.Kept, point);
    if (!hovered || index < 0) {
        QToolTip::hideText();
        return;
    }
    const QPoint at = View->mapFromScene(View->chart()->mapToPosition(point, Markers));
    QToolTip::showText(View->viewport()->mapToGlobal(at), QString::fromStdString(ReportLine(Shown.Kept[std::size_t(index)])), View);
}

void TChartForm::SelectKeptLine(const QPointF& point)
{
    const int index = KeptIndex(Shown.Kept, point);
    if (index < 0)
        return;
    // Line 0 of the report is its header.
    QTextCursor line(Report->document()->findBlockByNumber(index + 1));
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Report->setTextCursor(line);
    Report->ensureCursorVisible();
}

void TChartForm::ShowReportMenu(const QPoint& position)
{
    QMenu* menu = Report->createStandardContextMenu(position);
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, OpenAction);
    menu->insertSeparator(first);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(Report->viewport()->mapToGlobal(position));
}

bool TChartForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Owner && event->type() == QEvent::Close)
        close();
    if (View && watched == View->viewport())
        DragZoom(event);
    return QWidget::eventFilter(watched, event);
}

void TChartForm::DragZoom(const QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    const QRect plot = View->mapFromScene(View->chart()->plotArea()).boundingRect();
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton && plot.contains(mouse->position().toPoint())) {
            BandOrigin = mouse->position().toPoint();
            Band->setGeometry(QRect(BandOrigin, QSize()));
            Band->show();
        }
        break;
    case QEvent::MouseMove:
        if (Band->isVisible())
            Band->setGeometry(QRect(BandOrigin, mouse->position().toPoint()).normalized() & plot);
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton && Band->isVisible()) {
            Band->hide();
            const QRect band = Band->geometry();
            // A click that slips a pixel is still a click, not a zoom.
            if (std::min(band.width(), band.height()) >= QApplication::startDragDistance())
                View->chart()->zoomIn(View->chart()->mapFromScene(View->mapToScene(band)).boundingRect());
        }
        break;
    default:
        break;
    }
}

void TChartForm::AskAndSave(const QString& caption, const QString& name, const QString& filter,
                            bool (TChartForm::*save)(const QString&))
{
    const QString path = QFileDialog::getSaveFileName(this, caption, name, filter);
    if (!path.isEmpty())
        (this->*save)(path);
}

bool TChartForm::SaveImage(const QString& path)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    View->grab().save(&buffer, "PNG");
    return WriteFile(path, png);
}

bool TChartForm::SaveData(const QString& path)
{
    return WriteFile(path, QByteArray::fromStdString(SamplesCsv(Shown.Samples)));
}

bool TChartForm::WriteFile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    // The temporary file goes with file; the chart keeps its content.
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QStringLiteral("Не удалось сохранить «%1»:\n%2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()),
                    QMessageBox::Ok, this);
    box.exec();
    return false;
}
