#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRectF>
#include <QWidget>

#include "scan/scan.h"

class QAction;
class QChartView;
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
    // owner is the main window: Ctrl+G there opens the chart, and closing it
    // closes the chart. report is its report area, whose context menu gains
    // the entry that opens the chart and whose lines the markers stand for.
    TChartForm(QWidget* owner, QPlainTextEdit* report);

    // Shows the samples of the run whose report the report area now holds,
    // over the whole range.
    void ShowSweep(TSweep sweep);

    // Write through a temporary file that takes the name only when complete; a
    // failure is shown in a message box and leaves nothing under path.
    bool SaveImage(const QString& path);
    bool SaveData(const QString& path);

    // The chart itself, built when the window is first shown; null before.
    QChartView* View = nullptr;
    QLineSeries* Line = nullptr;
    QScatterSeries* Markers = nullptr;
    QLineSeries* Zero = nullptr;
    QValueAxis* AxisX = nullptr;
    QValueAxis* AxisY = nullptr;
    QRubberBand* Band = nullptr;

    QMenu* const Menu;
    QAction* const OpenAction;
    QAction* const WholeRangeAction;
    QAction* const SaveImageAction;
    QAction* const SaveDataAction;

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Plot();
    void Open();
    void ShowWholeRange();
    void ShowKeptLine(const QPointF& point, bool hovered);
    void SelectKeptLine(const QPointF& point);
    void ShowReportMenu(const QPoint& position);
    void DragZoom(const QEvent* event);
    void AskAndSave(const QString& caption, const QString& name, const QString& filter,
                    bool (TChartForm::*save)(const QString&));
    bool WriteFile(const QString& path, const QByteArray& data);

    QWidget* const Owner;
    QPlainTextEdit* const Report;
    TSweep Shown;
    QPoint BandOrigin;
    bool Plotted = true;  // the series show Shown
    QRectF WholeRange;  // left..right the angles, top..bottom the d values
};
