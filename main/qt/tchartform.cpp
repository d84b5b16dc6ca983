#include "tchartform.h"

#include <cmath>
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

#include "main/chart/appearance.h"
#include "main/chart/placement.h"
#include "main/chart/roundticks.h"
#include "main/chart/titleline.h"
#include "samples/samplescsv.h"

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QColor Colour(const TColour& colour)
{
    return QColor(colour.Red, colour.Green, colour.Blue);
}

QRect Rect(const TRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width, rect.Height);
}

TRect Rect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

TSize Size(const QSize& size)
{
    return {size.width(), size.height()};
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

template <class Samples>
QList<QPointF> Points(const Samples& samples)
{
    QList<QPointF> points;
    points.reserve(qsizetype(samples.size()));
    for (const TSample& sample : samples)
        points.append({sample.Angle, sample.D});
    return points;
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
    , Owner(owner)
    , Report(report)
    , Menu(new QMenu(this))
    , OpenAction(new QAction(Text(kChartCaption), this))
{
    setWindowTitle(Text(kChartCaption));
    resize(kChartSize.Width, kChartSize.Height);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins());

    auto* wholeRange = new QAction(Text(kWholeRangeEntry), this);
    wholeRange->setShortcuts({QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Escape)});
    connect(wholeRange, &QAction::triggered, this, [this] { SetView(Whole); });
    // The chart's own keys: in the main window Ctrl+C copies the selected text.
    auto* copyImage = new QAction(Text(kCopyImageEntry), this);
    copyImage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copyImage, &QAction::triggered, this, &TChartForm::CopyImage);
    auto* saveImage = new QAction(Text(kSaveImageEntry), this);
    saveImage->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveImage, &QAction::triggered, this,
            [this] { AskAndSave(kSaveImage, QStandardPaths::PicturesLocation, &TChartForm::SaveImage); });
    auto* saveData = new QAction(Text(kSaveDataEntry), this);
    saveData->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveData, &QAction::triggered, this,
            [this] { AskAndSave(kSaveData, QStandardPaths::DocumentsLocation, &TChartForm::SaveData); });
    addActions({wholeRange, copyImage, saveImage, saveData});
    Menu->addAction(wholeRange);
    Menu->addSeparator();
    Menu->addActions({copyImage, saveImage, saveData});

    AddKeys(this, {QKeySequence(Qt::Key_Left)}, [this] { Walk(TWalkKey::Left); });
    AddKeys(this, {QKeySequence(Qt::Key_Right)}, [this] { Walk(TWalkKey::Right); });
    AddKeys(this, {QKeySequence(Qt::Key_PageUp)}, [this] { Walk(TWalkKey::PageUp); });
    AddKeys(this, {QKeySequence(Qt::Key_PageDown)}, [this] { Walk(TWalkKey::PageDown); });
    AddKeys(this, {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)}, [this] { ZoomAtChosen(1); });
    AddKeys(this, {QKeySequence(Qt::Key_Minus)}, [this] { ZoomAtChosen(-1); });
    const std::pair<Qt::Key, TPanDirection> pans[] = {{Qt::Key_Left, TPanDirection::Left},
                                                      {Qt::Key_Right, TPanDirection::Right},
                                                      {Qt::Key_Up, TPanDirection::Up},
                                                      {Qt::Key_Down, TPanDirection::Down}};
    for (const auto& pan : pans)
        AddKeys(this, {QKeySequence(Qt::SHIFT | pan.first)},
                [this, direction = pan.second] { SetView(PanStep(ShownView(), direction, Whole)); });
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

    Line->setName(Text(kLineName));
    Line->setPen(QPen(Colour(kLineColour), kLineWidth));
    Markers->setName(Text(kMarkersName));
    Markers->setColor(Colour(kMarkerColour));
    Markers->setBorderColor(Colour(kMarkerColour));
    Markers->setMarkerSize(kMarkerSize);
    Largest->setName(Text(kLargestName));
    Largest->setColor(Colour(kMarkerColour));
    Largest->setBorderColor(Colour(kRingColour));
    Largest->setPen(QPen(Colour(kRingColour), kRingWidth));
    Largest->setMarkerSize(kLargestMarkerSize);
    Zero->setPen(QPen(Colour(kZeroLineColour), kLineWidth));

    for (QValueAxis* axis : {AxisX, AxisY}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0.0);
    }
    AxisX->setTitleText(Text(kAngleAxisTitle));
    AxisY->setTitleText(Text(kDAxisTitle));
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

    NoSamples = new QGraphicsSimpleTextItem(Text(kNoSamples), chart);
    QFont large = NoSamples->font();
    large.setPointSizeF(large.pointSizeF() * kNoSamplesScale);
    NoSamples->setFont(large);
    NoSamples->setBrush(Colour(kNoSamplesColour));
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        NoSamples->setPos(plot.center() - NoSamples->boundingRect().center());
        CentreTitle();
    });
    SetView(Whole);

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
    Title = Text(TitleLine(start.toStdString(), end.toStdString(), Shown.Samples.size()));
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
    Whole = WholeRange(Shown.Samples);
    SetView(Whole);
    // New labels may move the plot area: laid out now, while the line is
    // empty, not again after it is filled.
    View->chart()->layout()->activate();
    RangeTitle->setText(Title);
    CentreTitle();
    if (Shown.Samples.empty())
        Zero->clear();
    else
        Zero->replace({{Whole.Left, 0.0}, {Whole.Right, 0.0}});
    Line->replace(Points(Shown.Samples));
    // Each marker drawn over those of smaller deviations.
    Markers->replace(Points(std::vector<TSample>(Shown.Kept.rbegin(), Shown.Kept.rend())));
    Largest->replace(Points(std::span(Shown.Kept).first(std::min<std::size_t>(1, Shown.Kept.size()))));
    NoSamples->setVisible(Shown.Samples.empty());
    Keys = TKeyWalk(Shown.Kept);
    Plotted = true;
}

void TChartForm::CentreTitle()
{
    RangeTitle->setPos((View->chart()->size().width() - RangeTitle->boundingRect().width()) / 2, 4);
}

TView TChartForm::ShownView() const
{
    return {AxisX->min(), AxisX->max(), AxisY->min(), AxisY->max()};
}

void TChartForm::SetView(const TView& view)
{
    SetAxis(AxisX, view.Left, view.Right, kMostAngleTicks);
    SetAxis(AxisY, view.Bottom, view.Top, kMostDTicks);
}

void TChartForm::Place()
{
    // The window manager frames the chart only once it is shown: the main
    // window's frame stands in for it, and the client area is placed inside.
    const QMargins frame = Owner->windowHandle()->frameMargins();
    const QRect placed = Rect(ChartFrame(Rect(Owner->screen()->availableGeometry()),
                                         Rect(Owner->windowHandle()->frameGeometry()), Size(size().grownBy(frame)),
                                         Size(QSize(kLeastChartSize.Width, kLeastChartSize.Height).grownBy(frame))));
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
    const TRect outer = Rect(windowHandle()->frameGeometry());
    const TRect inside = PulledInside(outer, Rect(Owner->screen()->availableGeometry()));
    if (!(inside == outer))
        setGeometry(Rect(inside).marginsRemoved(windowHandle()->frameMargins()));
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

TChartPoint TChartForm::ValueAt(const QPoint& at) const
{
    const QPointF value = View->chart()->mapToValue(View->mapToScene(at), Line);
    return {value.x(), value.y()};
}

TPixel TChartForm::PixelOf(const TSample& sample) const
{
    const QPointF pixel =
        View->viewportTransform().map(View->chart()->mapToPosition({sample.Angle, sample.D}, Line));
    return {pixel.x(), pixel.y()};
}

void TChartForm::Hover(const QPoint& at)
{
    const TSample* sample =
        PlotRect().contains(at)
            ? PointedSample(Shown, {double(at.x()), double(at.y())}, ValueAt(at).Angle,
                            [this](const TSample& kept) { return PixelOf(kept); })
            : nullptr;
    if (sample)
        QToolTip::showText(View->viewport()->mapToGlobal(at), Text(ReportLine(*sample)), View);
    else
        QToolTip::hideText();
}

void TChartForm::Choose(int kept)
{
    Keys.Choose(kept);
    const TSample& sample = Shown.Kept[std::size_t(kept)];
    SetView(Showing(ShownView(), {sample.Angle, sample.D}, Whole));
    const TPixel pixel = PixelOf(sample);
    QToolTip::showText(View->viewport()->mapToGlobal(QPointF(pixel.X, pixel.Y).toPoint()),
                       Text(ReportLine(sample)), View);

    QTextCursor line(Report->document()->findBlockByNumber(ReportLineNumber(kept)));
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Report->setTextCursor(line);
    Report->centerCursor();
}

void TChartForm::Walk(TWalkKey key)
{
    if (const int kept = Keys.Walk(key); kept >= 0)
        Choose(kept);
}

void TChartForm::ZoomAtChosen(double notches)
{
    SetView(ZoomedAround(ShownView(), notches, KeyZoomCentre(ShownView(), Shown.Kept, Keys.Chosen()), Whole));
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
            SetView(ZoomedAround(ShownView(), wheel->angleDelta().y() / 120.0, ValueAt(at), Whole));
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
            PanStart = ShownView();
        } else {
            Band->setGeometry(QRect(DragOrigin, QSize()));
            Band->show();
        }
        break;
    }
    case QEvent::MouseMove:
        if (Band->isVisible()) {
            Band->setGeometry(QRect(DragOrigin, at).normalized() & plot);
        } else if (PanStart) {
            const QPoint moved = at - DragOrigin;
            SetView(DragPan(*PanStart, moved.x(), moved.y(), plot.width(), plot.height(), Whole));
        } else {
            Hover(at);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (PanStart && (mouse->button() == Qt::MiddleButton || mouse->button() == Qt::LeftButton)) {
            PanStart.reset();
        } else if (mouse->button() == Qt::LeftButton && Band->isVisible()) {
            Band->hide();
            const QRect band = Band->geometry();
            // A click that slips a pixel is still a click, not a zoom.
            if (std::min(band.width(), band.height()) >= QApplication::startDragDistance())
                SetView(RectangleZoom(ValueAt(band.topLeft()), ValueAt(band.bottomRight()), Whole));
            else if (const int kept = KeptAt(Shown.Kept, {double(at.x()), double(at.y())},
                                             [this](const TSample& sample) { return PixelOf(sample); });
                     kept >= 0)
                Choose(kept);
        }
        break;
    default:
        break;
    }
    return false;
}

void TChartForm::AskAndSave(const TSaveTexts& texts, QStandardPaths::StandardLocation location,
                            bool (TChartForm::*save)(const QString&))
{
    QString folder = LastFolder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(location);
        if (folder.isEmpty() || !QDir(folder).exists())
            folder = QDir::homePath();
    }
    const QString name = Text(texts.Name);
    QFileDialog dialog(this, Text(texts.Caption), QDir(folder).filePath(name), Text(texts.Filter));
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
                    Text(FailedSaveText(QDir::toNativeSeparators(path).toStdString(), file.errorString().toStdString())),
                    QMessageBox::Ok, this);
    box.exec();
    return false;
}
