#include "tchartform.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRubberBand>
#include <QSaveFile>
#include <QScatterSeries>
#include <QScreen>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <QWindow>

#include "chartframe.h"
#include "numtext/numtext.h"
#include "roundticks.h"
#include "samples/samplescsv.h"
#include "scan/scan.h"

namespace {

// The range shown before any run, and for a run without samples.
const QRectF kEmptyRange(QPointF(0, -1), QPointF(90, 1));

// The client size the chart asks for, and the least it is shrunk to beside
// the main window, where its labels still show, before it goes over it.
const QSize kChartSize(760, 480);
const QSize kLeastChartSize(360, 240);

// Ticks on the axes: at most this many intervals.
constexpr int kMostAngleTicks = 10;
constexpr int kMostDTicks = 8;

// One notch of the wheel, and one press of + or −, zoom in by this factor.
constexpr double kZoomStep = 0.8;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// The range that shows every sample and the zero line, with margins that keep
// the markers at either end whole: at least a degree of angle, within 0…90
// around a short run.
QRectF RangeOf(const std::vector<TSample>& samples)
{
    if (samples.empty())
        return kEmptyRange;
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end(),
                                                 [](const TSample& a, const TSample& b) { return a.D < b.D; });
    const double bottom = std::min(0.0, low->D);
    const double top = std::max(0.0, high->D);
    const double dMargin = top > bottom ? (top - bottom) * 0.05 : 0.1;
    double first = samples.front().Angle;
    double last = samples.back().Angle;
    if (last - first < 1.0) {
        const double middle = std::clamp((first + last) / 2, 0.5, 89.5);
        first = middle - 0.5;
        last = middle + 0.5;
    }
    const double angleMargin = (last - first) * 0.02;
    return QRectF(QPointF(first - angleMargin, bottom - dMargin), QPointF(last + angleMargin, top + dMargin));
}

// low..high made at least least wide, at most as wide as wholeLow..wholeHigh
// and moved inside it, around the same middle where it can.
std::pair<double, double> Limited(double low, double high, double least, double wholeLow, double wholeHigh)
{
    const double span = std::clamp(high - low, least, std::max(least, wholeHigh - wholeLow));
    const double start = std::clamp((low + high - span) / 2, std::min(wholeLow, wholeHigh - span),
                                    std::max(wholeLow, wholeHigh - span));
    return {start, start + span};
}

// Round ticks with the decimals that tell them apart; the axis's range last,
// as each change lays out every point again. Each change of the format lays
// out the labels again, even to the same format.
void SetAxis(QValueAxis* axis, double low, double high, int most)
{
    const TRoundTicks ticks = RoundTicks(low, high, most);
    axis->setTickInterval(ticks.Step);
    // Not localised, "%.Nf" writes a point whatever the locale.
    const QString format = QStringLiteral("%.%1f").arg(ticks.Decimals);
    if (axis->labelFormat() != format)
        axis->setLabelFormat(format);
    axis->setRange(low, high);
}

QList<QPointF> Points(const std::vector<TSample>& samples)
{
    QList<QPointF> points;
    points.reserve(qsizetype(samples.size()));
    for (const TSample& sample : samples)
        points.append({sample.Angle, sample.D});
    return points;
}

// The sample nearest in angle; samples lie in ascending angle.
const TSample* NearestInAngle(const std::vector<TSample>& samples, double angle)
{
    if (samples.empty())
        return nullptr;
    const auto after = std::lower_bound(samples.begin(), samples.end(), angle,
                                        [](const TSample& sample, double a) { return sample.Angle < a; });
    if (after == samples.begin())
        return &*after;
    if (after == samples.end() || angle - std::prev(after)->Angle <= after->Angle - angle)
        return &*std::prev(after);
    return &*after;
}

template <class Handler>
void AddKeys(QWidget* window, const QList<QKeySequence>& keys, Handler&& handler)
{
    auto* action = new QAction(window);
    action->setShortcuts(keys);
    QObject::connect(action, &QAction::triggered, window, std::forward<Handler>(handler));
    window->addAction(action);
}

} // namespace

TChartForm::TChartForm(QWidget* owner, QPlainTextEdit* report)
    // Not the owner's child: Qt would make it transient for the owner, and
    // window managers then keep it above the main window, and may open it
    // over it, where the user wants the two side by side.
    : QWidget(nullptr, Qt::Window)
    , Menu(new QMenu(this))
    , OpenAction(new QAction(QStringLiteral("График отклонений"), this))
    , WholeRangeAction(new QAction(QStringLiteral("Показать весь диапазон"), this))
    , CopyImageAction(new QAction(QStringLiteral("Копировать изображение"), this))
    , SaveImageAction(new QAction(QStringLiteral("Сохранить изображение…"), this))
    , SaveDataAction(new QAction(QStringLiteral("Сохранить данные…"), this))
    , Owner(owner)
    , Report(report)
    , WholeRange(kEmptyRange)
{
    setWindowTitle(QStringLiteral("График отклонений"));
    resize(kChartSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());

    WholeRangeAction->setShortcuts({QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Escape)});
    connect(WholeRangeAction, &QAction::triggered, this, &TChartForm::ShowWholeRange);
    // The chart's own keys: in the main window Ctrl+C copies the selected text.
    CopyImageAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(CopyImageAction, &QAction::triggered, this, &TChartForm::CopyImage);
    SaveImageAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(SaveImageAction, &QAction::triggered, this, [this] {
        AskAndSave(QStringLiteral("Сохранить изображение"), QStringLiteral("отклонения.png"),
                   QStringLiteral("Изображение PNG (*.png)"), QStandardPaths::PicturesLocation, &TChartForm::SaveImage);
    });
    SaveDataAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(SaveDataAction, &QAction::triggered, this, [this] {
        AskAndSave(QStringLiteral("Сохранить данные"), QStringLiteral("отклонения.csv"),
                   QStringLiteral("Данные CSV (*.csv)"), QStandardPaths::DocumentsLocation, &TChartForm::SaveData);
    });
    addActions({WholeRangeAction, CopyImageAction, SaveImageAction, SaveDataAction});
    Menu->addAction(WholeRangeAction);
    Menu->addSeparator();
    Menu->addAction(CopyImageAction);
    Menu->addAction(SaveImageAction);
    Menu->addAction(SaveDataAction);

    AddKeys(this, {QKeySequence(Qt::Key_Left)}, [this] { ChooseByAngle(-1); });
    AddKeys(this, {QKeySequence(Qt::Key_Right)}, [this] { ChooseByAngle(1); });
    AddKeys(this, {QKeySequence(Qt::Key_PageUp)}, [this] { ChooseInReport(-1); });
    AddKeys(this, {QKeySequence(Qt::Key_PageDown)}, [this] { ChooseInReport(1); });
    AddKeys(this, {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)}, [this] { ZoomAtChosen(1); });
    AddKeys(this, {QKeySequence(Qt::Key_Minus)}, [this] { ZoomAtChosen(-1); });
    // Pans: the direction's digit as on a numeric keypad.
    AddKeys(this, {QKeySequence(Qt::SHIFT | Qt::Key_Left)}, [this] { PanBy(4); });
    AddKeys(this, {QKeySequence(Qt::SHIFT | Qt::Key_Right)}, [this] { PanBy(6); });
    AddKeys(this, {QKeySequence(Qt::SHIFT | Qt::Key_Up)}, [this] { PanBy(8); });
    AddKeys(this, {QKeySequence(Qt::SHIFT | Qt::Key_Down)}, [this] { PanBy(2); });
    AddKeys(this, {QKeySequence(Qt::CTRL | Qt::Key_G)}, [this] { RaiseOwner(); });

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
    Largest = new QScatterSeries(this);
    Zero = new QLineSeries(this);
    AxisX = new QValueAxis(this);
    AxisY = new QValueAxis(this);
    Band = new QRubberBand(QRubberBand::Rectangle, View->viewport());

    QChart* chart = View->chart();
    chart->setLocalizeNumbers(false);
    // The title line is an item of its own over a margin kept for it: a
    // chart's title, when it changes, lays out the whole chart again.
    RangeTitle = new QGraphicsSimpleTextItem(chart);
    const int titleHeight = QFontMetrics(RangeTitle->font()).height();
    chart->setMargins(QMargins(4, 4 + titleHeight, 4, 4));

    Line->setName(QStringLiteral("Все отсчёты"));
    // One pixel wide: the samples lie less than a pixel apart.
    Line->setPen(QPen(QColor(0x20, 0x60, 0xC0), 1));
    Markers->setName(QStringLiteral("Отсчёты отчёта"));
    Markers->setColor(QColor(0xE0, 0x40, 0x20));
    Markers->setBorderColor(QColor(0xE0, 0x40, 0x20));
    Markers->setMarkerSize(7);
    Largest->setName(QStringLiteral("Наибольшее отклонение"));
    Largest->setColor(QColor(0xE0, 0x40, 0x20));
    Largest->setBorderColor(Qt::black);
    Largest->setPen(QPen(Qt::black, 2));
    Largest->setMarkerSize(13);
    Zero->setPen(QPen(Qt::gray, 1));

    for (QValueAxis* axis : {AxisX, AxisY}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0.0);
    }
    AxisX->setTitleText(QStringLiteral("Угол, °"));
    AxisY->setTitleText(QStringLiteral("d = θ − r(θ), °"));
    chart->addAxis(AxisX, Qt::AlignBottom);
    chart->addAxis(AxisY, Qt::AlignLeft);
    // In drawing order: the largest deviation last, on top of all.
    for (QXYSeries* series : std::initializer_list<QXYSeries*>{Zero, Line, Markers, Largest}) {
        chart->addSeries(series);
        series->attachAxis(AxisX);
        series->attachAxis(AxisY);
    }
    chart->legend()->markers(Zero).constFirst()->setVisible(false);
    chart->legend()->setAlignment(Qt::AlignTop);

    NoSamples = new QGraphicsSimpleTextItem(QStringLiteral("Нет отсчётов"), chart);
    QFont large = NoSamples->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    NoSamples->setFont(large);
    NoSamples->setBrush(Qt::darkGray);
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        NoSamples->setPos(plot.center() - NoSamples->boundingRect().center());
        CentreTitle();
    });
    ShowWholeRange();

    View->setRenderHint(QPainter::Antialiasing);
    // The view's own rubber band swallows the clicks meant for the markers:
    // this one watches the mouse. A right click zooms nothing.
    View->viewport()->installEventFilter(this);
    View->viewport()->setMouseTracking(true);
    View->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(View, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { Menu->popup(View->viewport()->mapToGlobal(position)); });
    layout()->addWidget(View);
}

void TChartForm::ShowSweep(TSweep sweep, const QString& start, const QString& end)
{
    Shown = std::move(sweep);
    Title = QStringLiteral("%1 … %2, отсчётов: %3")
                .arg(start, end, Text(IntToStr(static_cast<std::int32_t>(Shown.Samples.size()))));
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
    WholeRange = RangeOf(Shown.Samples);
    ShowWholeRange();
    // New labels may move the plot area: laid out now, while the line is
    // empty, not again after it is filled.
    View->chart()->layout()->activate();
    RangeTitle->setText(Title);
    CentreTitle();
    if (Shown.Samples.empty())
        Zero->clear();
    else
        Zero->replace({{WholeRange.left(), 0.0}, {WholeRange.right(), 0.0}});
    Line->replace(Points(Shown.Samples));
    // Each marker drawn over those of smaller deviations.
    Markers->replace(Points({Shown.Kept.rbegin(), Shown.Kept.rend()}));
    const auto largest = std::ptrdiff_t(std::min<std::size_t>(1, Shown.Kept.size()));
    Largest->replace(Points({Shown.Kept.begin(), Shown.Kept.begin() + largest}));
    NoSamples->setVisible(Shown.Samples.empty());
    ByAngle.resize(Shown.Kept.size());
    std::iota(ByAngle.begin(), ByAngle.end(), 0);
    std::sort(ByAngle.begin(), ByAngle.end(),
              [this](int a, int b) { return Shown.Kept[std::size_t(a)].Angle < Shown.Kept[std::size_t(b)].Angle; });
    Chosen = -1;
    Plotted = true;
}

void TChartForm::CentreTitle()
{
    RangeTitle->setPos((View->chart()->size().width() - RangeTitle->boundingRect().width()) / 2, 4);
}

void TChartForm::ShowWholeRange()
{
    SetView(WholeRange);
}

QRectF TChartForm::ViewRange() const
{
    return QRectF(QPointF(AxisX->min(), AxisY->min()), QPointF(AxisX->max(), AxisY->max()));
}

void TChartForm::SetView(QRectF view)
{
    view = view.normalized();
    const QRectF& whole = WholeRange;
    const auto [left, right] = Limited(view.left(), view.right(), kLeastAngleSpan, whole.left(), whole.right());
    const auto [bottom, top] = Limited(view.top(), view.bottom(), kLeastDSpan, whole.top(), whole.bottom());
    SetAxis(AxisX, left, right, kMostAngleTicks);
    SetAxis(AxisY, bottom, top, kMostDTicks);
}

void TChartForm::Place()
{
    // The window manager frames the chart only once it is shown: the main
    // window's frame stands in for it, and the client area is placed inside.
    const QMargins frame = Owner->windowHandle()->frameMargins();
    const QRect placed = ChartFrame(Owner->screen()->availableGeometry(), Owner->windowHandle()->frameGeometry(),
                                    size().grownBy(frame), kLeastChartSize.grownBy(frame));
    // A Wayland client neither places its windows nor learns where they are:
    // there the compositor places the chart, at the size it asks for.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        setGeometry(placed.marginsRemoved(frame));
    create();
    windowHandle()->installEventFilter(this);
    Placed = true;
}

void TChartForm::KeepOnScreen()
{
    // A resizable window's frame may be thicker than the main window's, which
    // stood in for it: once its own is known, the chart is shrunk back into
    // the available area, off the main window still.
    windowHandle()->removeEventFilter(this);
    const QRect available = Owner->screen()->availableGeometry();
    const QMargins frame = windowHandle()->frameMargins();
    QRect outer = windowHandle()->frameGeometry();
    if (available.contains(outer))
        return;
    outer.moveTopLeft(QPoint(std::max(outer.left(), available.left()), std::max(outer.top(), available.top())));
    setGeometry((outer & available).marginsRemoved(frame));
}

void TChartForm::Open()
{
    if (!Placed)
        Place();
    const bool shown = isVisible();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    // A window first shown is activated by the window system; asked before
    // it is mapped, mutter fails an assertion in its stacking code.
    if (shown) {
        raise();
        activateWindow();
    }
}

void TChartForm::RaiseOwner()
{
    Owner->raise();
    Owner->activateWindow();
}

QRect TChartForm::PlotRect() const
{
    return View->mapFromScene(View->chart()->plotArea()).boundingRect();
}

QPointF TChartForm::ValueAt(const QPoint& at) const
{
    return View->chart()->mapToValue(View->mapToScene(at), Line);
}

QPointF TChartForm::PositionOf(const TSample& sample) const
{
    // Not rounded to whole pixels, as the markers are not.
    return View->viewportTransform().map(View->chart()->mapToPosition({sample.Angle, sample.D}, Line));
}

int TChartForm::KeptAt(const QPoint& at) const
{
    // Of the markers under the pointer, the one drawn on top.
    for (std::size_t kept = 0; kept < Shown.Kept.size(); ++kept) {
        const double radius = (kept == 0 ? Largest : Markers)->markerSize() / 2;
        const QPointF offset = PositionOf(Shown.Kept[kept]) - QPointF(at);
        if (QPointF::dotProduct(offset, offset) <= radius * radius)
            return int(kept);
    }
    return -1;
}

void TChartForm::Hover(const QPoint& at)
{
    const int kept = KeptAt(at);
    const TSample* sample = !PlotRect().contains(at) ? nullptr
                            : kept >= 0             ? &Shown.Kept[std::size_t(kept)]
                                                    : NearestInAngle(Shown.Samples, ValueAt(at).x());
    if (sample)
        QToolTip::showText(View->viewport()->mapToGlobal(at), Text(ReportLine(*sample)), View);
    else
        QToolTip::hideText();
}

void TChartForm::Choose(int kept)
{
    Chosen = kept;
    const TSample& sample = Shown.Kept[std::size_t(kept)];
    const QRectF view = ViewRange();
    if (!view.contains(sample.Angle, sample.D))
        SetView(view.translated(QPointF(sample.Angle, sample.D) - view.center()));
    QToolTip::showText(View->viewport()->mapToGlobal(PositionOf(sample).toPoint()), Text(ReportLine(sample)), View);

    // Line 0 of the report is its header.
    QTextCursor line(Report->document()->findBlockByNumber(kept + 1));
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Report->setTextCursor(line);
    Report->centerCursor();
}

void TChartForm::ChooseByAngle(int direction)
{
    if (ByAngle.empty())
        return;
    if (Chosen < 0)
        return Choose(0);
    const auto at = std::find(ByAngle.begin(), ByAngle.end(), Chosen) - ByAngle.begin();
    Choose(ByAngle[std::size_t(std::clamp<std::ptrdiff_t>(at + direction, 0, std::ssize(ByAngle) - 1))]);
}

void TChartForm::ChooseInReport(int direction)
{
    if (Shown.Kept.empty())
        return;
    Choose(Chosen < 0 ? 0 : std::clamp(Chosen + direction, 0, int(Shown.Kept.size()) - 1));
}

void TChartForm::ZoomAround(double factor, const QPointF& centre)
{
    const QRectF view = ViewRange();
    SetView(QRectF(centre + (view.topLeft() - centre) * factor, centre + (view.bottomRight() - centre) * factor));
}

void TChartForm::ZoomAtChosen(int direction)
{
    QPointF centre = ViewRange().center();
    if (Chosen >= 0)
        centre = QPointF(Shown.Kept[std::size_t(Chosen)].Angle, Shown.Kept[std::size_t(Chosen)].D);
    ZoomAround(direction > 0 ? kZoomStep : 1 / kZoomStep, centre);
}

void TChartForm::PanBy(int direction)
{
    // A tenth of the view at a time.
    const QRectF view = ViewRange();
    const double dx = direction == 4 ? -0.1 : direction == 6 ? 0.1 : 0.0;
    const double dy = direction == 2 ? -0.1 : direction == 8 ? 0.1 : 0.0;
    SetView(view.translated(dx * view.width(), dy * view.height()));
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
    if (watched == windowHandle() && event->type() == QEvent::Expose && isVisible())
        KeepOnScreen();
    if (View && watched == View->viewport() && ViewportEvent(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TChartForm::ViewportEvent(const QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Wheel) {
        const auto* wheel = static_cast<const QWheelEvent*>(event);
        const QPoint at = wheel->position().toPoint();
        if (PlotRect().contains(at) && wheel->angleDelta().y() != 0)
            ZoomAround(std::pow(kZoomStep, wheel->angleDelta().y() / 120.0), ValueAt(at));
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const QRect plot = PlotRect();
    switch (type) {
    case QEvent::MouseButtonPress: {
        const bool pan = mouse->button() == Qt::MiddleButton
                         || (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ShiftModifier));
        if (!plot.contains(at) || (!pan && mouse->button() != Qt::LeftButton))
            break;
        DragOrigin = at;
        if (pan) {
            PanStart = ViewRange();
        } else {
            Band->setGeometry(QRect(DragOrigin, QSize()));
            Band->show();
        }
        break;
    }
    case QEvent::MouseMove:
        if (Band->isVisible()) {
            Band->setGeometry(QRect(DragOrigin, at).normalized() & plot);
        } else if (!PanStart.isNull()) {
            // The point taken stays under the pointer; d grows upwards.
            const QPoint moved = at - DragOrigin;
            SetView(PanStart.translated(-moved.x() * PanStart.width() / plot.width(),
                                        moved.y() * PanStart.height() / plot.height()));
        } else {
            Hover(at);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (!PanStart.isNull() && (mouse->button() == Qt::MiddleButton || mouse->button() == Qt::LeftButton)) {
            PanStart = QRectF();
        } else if (mouse->button() == Qt::LeftButton && Band->isVisible()) {
            Band->hide();
            const QRect band = Band->geometry();
            // A click that slips a pixel is still a click, not a zoom.
            if (std::min(band.width(), band.height()) >= QApplication::startDragDistance())
                SetView(QRectF(ValueAt(band.topLeft()), ValueAt(band.bottomRight())));
            else if (const int kept = KeptAt(at); kept >= 0)
                Choose(kept);
        }
        break;
    default:
        break;
    }
    return false;
}

void TChartForm::AskAndSave(const QString& caption, const QString& name, const QString& filter,
                            QStandardPaths::StandardLocation location, bool (TChartForm::*save)(const QString&))
{
    QString folder = LastFolder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(location);
        if (folder.isEmpty() || !QDir(folder).exists())
            folder = QDir::homePath();
    }
    QFileDialog dialog(this, caption, QDir(folder).filePath(name), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The filter's extension, when the name has none.
    dialog.setDefaultSuffix(QFileInfo(name).suffix());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    LastFolder = QFileInfo(path).absolutePath();
    (this->*save)(path);
}

void TChartForm::CopyImage()
{
    QApplication::clipboard()->setImage(View->grab().toImage());
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
