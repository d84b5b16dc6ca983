#pragma once

#include <vector>

#include <QByteArray>
#include <QPoint>
#include <QRectF>
#include <QStandardPaths>
#include <QString>
#include <QWidget>

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

    // The narrowest view: ten steps of angle, and one unit of the report's
    // last digit of d, below which the labels would tell nothing more.
    static constexpr double kLeastAngleSpan = 0.1;
    static constexpr double kLeastDSpan = 0.0001;

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

    QMenu* const Menu;
    QAction* const OpenAction;
    QAction* const WholeRangeAction;
    QAction* const CopyImageAction;
    QAction* const SaveImageAction;
    QAction* const SaveDataAction;

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
    void ShowWholeRange();
    void SetView(QRectF view);
    QRectF ViewRange() const;
    QRect PlotRect() const;
    QPointF ValueAt(const QPoint& at) const;
    QPointF PositionOf(const TSample& sample) const;
    int KeptAt(const QPoint& at) const;
    void Hover(const QPoint& at);
    void Choose(int kept);
    void ChooseByAngle(int direction);
    void ChooseInReport(int direction);
    void ZoomAround(double factor, const QPointF& centre);
    void ZoomAtChosen(int direction);
    void PanBy(int direction);
    bool ViewportEvent(const QEvent* event);
    void ShowReportMenu(const QPoint& position);
    void AskAndSave(const QString& caption, const QString& name, const QString& filter,
                    QStandardPaths::StandardLocation location,
                    bool (TChartForm::*save)(const QString&));
    void CopyImage();
    bool WriteFile(const QString& path, const QByteArray& data);

    QWidget* const Owner;
    QPlainTextEdit* const Report;
    TSweep Shown;
    QString Title;
    std::vector<int> ByAngle;  // indices into Shown.Kept, in angle order
    int Chosen = -1;           // into Shown.Kept
    bool Plotted = true;       // the series show Shown
    bool Placed = false;       // once placed, the chart stays where the user puts it
    QRectF WholeRange;         // left..right the angles, top..bottom the d values
    QPoint DragOrigin;
    QRectF PanStart;           // the view a pan started from; null while no pan
    QString LastFolder;        // of the last save since the start
};
