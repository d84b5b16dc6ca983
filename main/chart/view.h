#pragma once

#include <span>

#include "scan/sweep.h"

// A point of the chart: an angle and its d = θ − r(θ).
struct TChartPoint {
    double Angle, D;
};

// What the chart shows: angles from Left to Right, d from Bottom to Top.
struct TView {
    double Left, Right, Bottom, Top;

    double Width() const { return Right - Left; }
    double Height() const { return Top - Bottom; }
    TChartPoint Centre() const { return {(Left + Right) / 2, (Bottom + Top) / 2}; }
    bool Contains(TChartPoint point) const
    {
        return Left <= point.Angle && point.Angle <= Right && Bottom <= point.D && point.D <= Top;
    }
    friend bool operator==(const TView&, const TView&) = default;
};

// The narrowest view: ten steps of angle, and one unit of the report's last
// digit of d, below which the labels would tell nothing more.
inline constexpr double kLeastAngleSpan = 0.1;
inline constexpr double kLeastDSpan = 0.0001;

// The whole range of a sweep: every sample and the zero line, with margins
// that keep the markers at either end whole; at least a degree of angle,
// within 0…90, around a short run. Before any run, and for a run without
// samples, 0…90 and −1…1.
TView WholeRange(std::span<const TSample> samples);

// view made at least the least spans wide and high, at most as large as whole
// and moved inside it, around the same middle where it can. Its edges may come
// in either order.
TView Limited(const TView& view, const TView& whole);

// One notch of the wheel, and one press of + or −, zoom in by this factor.
inline constexpr double kZoomStep = 0.8;

// The view scaled by kZoomStep to the power notches around centre, which stays
// where it is: positive notches zoom in.
TView ZoomedAround(const TView& view, double notches, TChartPoint centre, const TView& whole);

// Where + and − zoom around: the chosen kept sample, else the middle of view;
// chosen is into kept, -1 for none.
TChartPoint KeyZoomCentre(const TView& view, std::span<const TSample> kept, int chosen);

// The view of the rectangle between two corners, in either order.
TView RectangleZoom(TChartPoint corner, TChartPoint opposite, const TView& whole);

// A pan of a tenth of the view.
enum class TPanDirection { Left, Right, Up, Down };
TView PanStep(const TView& view, TPanDirection direction, const TView& whole);

// The view a drag that started on start has reached, moved by moved pixels
// over a plot of plot pixels: the point taken stays under the pointer, and d
// grows upwards where pixels grow downwards.
TView DragPan(const TView& start, double movedX, double movedY, double plotWidth, double plotHeight,
              const TView& whole);

// The view moved to centre on point when it does not show it yet.
TView Showing(const TView& view, TChartPoint point, const TView& whole);
