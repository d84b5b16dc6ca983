#include "chartstate.h"

#include <utility>

#include "main/chart/titleline.h"

TChartState::TChartState()
    : Whole(WholeRange({}))
    , Current(Whole)
{
}

void TChartState::Show(TSweep sweep, std::string_view start, std::string_view end)
{
    Sweep = std::move(sweep);
    TitleText = TitleLine(start, end, Sweep.Samples.size());
    Keys = TKeyWalk(Sweep.Kept);
    Whole = WholeRange(Sweep.Samples);
    Current = Whole;
    DragStart.reset();
}

void TChartState::Drag(double movedX, double movedY, const TPlotArea& plot)
{
    if (DragStart)
        Current = DragPan(*DragStart, movedX, movedY, plot.Width, plot.Height, Whole);
}

int TChartState::Walk(TWalkKey key)
{
    const int kept = Keys.Walk(key);
    return kept >= 0 ? Choose(kept) : -1;
}

int TChartState::Choose(int kept)
{
    if (kept < 0 || std::size_t(kept) >= Sweep.Kept.size())
        return -1;
    Keys.Choose(kept);
    const TSample& sample = Sweep.Kept[std::size_t(kept)];
    Current = Showing(Current, {sample.Angle, sample.D}, Whole);
    return kept;
}

TPixelOf TChartState::PixelOf(const TPlotArea& plot) const
{
    return [plot, view = Current](const TSample& sample) {
        return TPixel{plot.Left + (sample.Angle - view.Left) / view.Width() * plot.Width,
                      plot.Top + (view.Top - sample.D) / view.Height() * plot.Height};
    };
}

int TChartState::KeptAt(TPixel at, const TPlotArea& plot) const
{
    return ::KeptAt(Sweep.Kept, at, PixelOf(plot));
}

const TSample* TChartState::Pointed(TPixel at, const TPlotArea& plot) const
{
    if (at.X < plot.Left || at.X > plot.Left + plot.Width || at.Y < plot.Top || at.Y > plot.Top + plot.Height)
        return nullptr;
    const double angle = Current.Left + (at.X - plot.Left) / plot.Width * Current.Width();
    return PointedSample(Sweep, at, angle, PixelOf(plot));
}
