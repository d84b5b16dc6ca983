#include "view.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The range shown before any run, and for a run without samples.
constexpr TView kEmptyRange{0, 90, -1, 1};

// low..high made at least least wide, at most as wide as wholeLow..wholeHigh
// and moved inside it, around the same middle where it can.
std::pair<double, double> Limited(double low, double high, double least, double wholeLow, double wholeHigh)
{
    if (high < low)
        std::swap(low, high);
    const double span = std::clamp(high - low, least, std::max(least, wholeHigh - wholeLow));
    const double start = std::clamp((low + high - span) / 2, std::min(wholeLow, wholeHigh - span),
                                    std::max(wholeLow, wholeHigh - span));
    return {start, start + span};
}

TView Translated(const TView& view, double angle, double d)
{
    return {view.Left + angle, view.Right + angle, view.Bottom + d, view.Top + d};
}

} // namespace

TView WholeRange(std::span<const TSample> samples)
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
    return {first - angleMargin, last + angleMargin, bottom - dMargin, top + dMargin};
}

TView Limited(const TView& view, const TView& whole)
{
    const auto [left, right] = Limited(view.Left, view.Right, kLeastAngleSpan, whole.Left, whole.Right);
    const auto [bottom, top] = Limited(view.Bottom, view.Top, kLeastDSpan, whole.Bottom, whole.Top);
    return {left, right, bottom, top};
}

TView ZoomedAround(const TView& view, double notches, TChartPoint centre, const TView& whole)
{
    const double factor = std::pow(kZoomStep, notches);
    return Limited({centre.Angle + (view.Left - centre.Angle) * factor, centre.Angle + (view.Right - centre.Angle) * factor,
                    centre.D + (view.Bottom - centre.D) * factor, centre.D + (view.Top - centre.D) * factor},
                   whole);
}

TChartPoint KeyZoomCentre(const TView& view, std::span<const TSample> kept, int chosen)
{
    if (chosen < 0)
        return view.Centre();
    const TSample& sample = kept[std::size_t(chosen)];
    return {sample.Angle, sample.D};
}

TView RectangleZoom(TChartPoint corner, TChartPoint opposite, const TView& whole)
{
    return Limited({corner.Angle, opposite.Angle, corner.D, opposite.D}, whole);
}

TView PanStep(const TView& view, TPanDirection direction, const TView& whole)
{
    const double angle = direction == TPanDirection::Left ? -0.1 : direction == TPanDirection::Right ? 0.1 : 0.0;
    const double d = direction == TPanDirection::Down ? -0.1 : direction == TPanDirection::Up ? 0.1 : 0.0;
    return Limited(Translated(view, angle * view.Width(), d * view.Height()), whole);
}

TView DragPan(const TView& start, double movedX, double movedY, double plotWidth, double plotHeight,
              const TView& whole)
{
    return Limited(Translated(start, -movedX * start.Width() / plotWidth, movedY * start.Height() / plotHeight),
                   whole);
}

TView Showing(const TView& view, TChartPoint point, const TView& whole)
{
    if (view.Contains(point))
        return view;
    const TChartPoint centre = view.Centre();
    return Limited(Translated(view, point.Angle - centre.Angle, point.D - centre.D), whole);
}
