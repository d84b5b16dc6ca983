#pragma once

#include <optional>

#include <QByteArray>
#include <QPoint>
#include <QStandardPaths>
#include <QString>
#include <QWidget>

#include "main/chart/keywalk.h"
#include "main/chart/nearest.h"
#include "main/chart/texts.h"
#include "main/chart/view.h"
#include "scan/scan.h"

class QAction;
class QChartView;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QMenu;
class QPlainTextEdit;
class QRubberBand;
class QScatterSeries;
class QValueAxis;

// The chart of the last successful run: d = θ − r(θ) through every sample, the
// samples of the report as markers, and the zero line. A window of its own
// beside the main window; the designed window stays as it is.
class TChartForm : public QWidget {
    Q_OBJECT

public:
    // owner is the main window, which deletes the chart: Ctrl+G there opens
    // the chart, and closing it closes the chart. report is its report area, whose context menu gains
    // the entry that opens the chart and whose lines the markers stand for.
    TChartForm(QWidget* owner, QPlainTextEdit* report);

    // Shows the samples of the run whose report the report area now holds,
    // over the whole range; start and end are the range as the fields show it.
    void ShowSweep(TSweep sweep, const QString& start, const QString& end);

    // Write through a temporary file that takes the name only when complete; a
    // failure is shown in a message box and leaves nothing under path.
    bool SaveImage(const QString& path);
    bool SaveData(const QString& path);

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Plot();
    void Open();
    void Place();
    void KeepOnScreen();
    void RaiseOwner();
    void CentreTitle();
    void SetView(const TView& view);
    TView ShownView() const;
    QRect PlotRect() const;
    TChartPoint ValueAt(const QPoint& at) const;
    TPixel PixelOf(const TSample& sample) const;
    void Hover(const QPoint& at);
    void Choose(int kept);
    void Walk(TWalkKey key);
    void ZoomAtChosen(double notches);
    bool ViewportEvent(const QEvent* event);
    void ShowReportMenu(const QPoint& position);
    void AskAndSave(const TSaveTexts& texts, QStandardPaths::StandardLocation location,
                    bool (TChartForm::*save)(const QString&));
    void CopyImage();
    bool WriteFile(const QString& path, const QByteArray& data);

    QWidget* const Owner;
    QPlainTextEdit* const Report;
    QMenu* const Menu;
    QAction* const OpenAction;

    // The chart itself, built when the window is first shown; null before.
    QChartView* View = nullptr;
    QLineSeries* Line = nullptr;
    QScatterSeries* Markers = nullptr;  // the kept samples, the largest deviation last
    QScatterSeries* Largest = nullptr;
    QLineSeries* Zero = nullptr;
    QValueAxis* AxisX = nullptr;
    QValueAxis* AxisY = nullptr;
    QRubberBand* Band = nullptr;
    QGraphicsSimpleTextItem* NoSamples = nullptr;
    QGraphicsSimpleTextItem* RangeTitle = nullptr;  // the range and the count of the run shown

    TSweep Shown;
    QString Title;
    TKeyWalk Keys;
    bool Plotted = true;  // the series show Shown
    bool Placed = false;  // once placed, the chart stays where the user puts it
    TView Whole = WholeRange({});
    QPoint DragOrigin;
    std::optional<TView> PanStart;  // the view a pan started from
    QString LastFolder;             // of the last save since the start
};
