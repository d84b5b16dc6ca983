#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "main/chart/keywalk.h"
#include "main/chart/nearest.h"
#include "main/chart/view.h"
#include "scan/scan.h"

// Where a shell draws the plot: the rectangle the view fills, in pixels, d
// growing upwards.
struct TPlotArea {
    double Left, Top, Width, Height;
};

// The chart of the last successful run as a shell keeps it: its samples, title
// line, key walk and view, the rules applied to them. A shell that draws its
// plot as a linear mapping of the view only draws what it is told and passes
// on the pointer and the keys.
class TChartState {
public:
    TChartState();

    // The run whose report the report area now holds; start and end are the
    // range as the fields show it.
    void Show(TSweep sweep, std::string_view start, std::string_view end);

    const TSweep& Shown() const { return Sweep; }
    const std::string& Title() const { return TitleText; }
    const TView& View() const { return Current; }
    int Chosen() const { return Keys.Chosen(); }

    void ShowWhole() { Current = Whole; }
    void ZoomAround(double notches, TChartPoint centre) { Current = ZoomedAround(Current, notches, centre, Whole); }
    void ZoomAtChosen(double notches) { ZoomAround(notches, KeyZoomCentre(Current, Sweep.Kept, Keys.Chosen())); }
    void Zoom(TChartPoint corner, TChartPoint opposite) { Current = RectangleZoom(corner, opposite, Whole); }
    void Pan(TPanDirection direction) { Current = PanStep(Current, direction, Whole); }
    void StartDrag() { DragStart = Current; }
    void Drag(double movedX, double movedY, const TPlotArea& plot);

    // The kept sample a key leads to, or the one a click hit, chosen and
    // brought into view; -1 when there is none.
    int Walk(TWalkKey key);
    int Choose(int kept);

    // The kept sample whose marker is under at; -1 when none is.
    int KeptAt(TPixel at, const TPlotArea& plot) const;
    // The sample the pointer at points to, null outside the plot.
    const TSample* Pointed(TPixel at, const TPlotArea& plot) const;

private:
    TPixelOf PixelOf(const TPlotArea& plot) const;

    TSweep Sweep;
    std::string TitleText;
    TKeyWalk Keys;
    TView Whole;
    TView Current;
    std::optional<TView> DragStart;
};
