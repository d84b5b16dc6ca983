#include <vector>

#include <gtest/gtest.h>

#include "main/chart/chartstate.h"
#include "sampleat.h"

namespace {

// Five samples, three of them kept in report order; the view zoomed to the
// rectangle from the first kept sample to the second, over a plot at (10, 20)
// of 200 by 100 pixels: angle 1 at x 10, angle 3 at x 210, d 0.3 at y 20 and
// d -0.2 at y 120.
const TPlotArea kPlot{10, 20, 200, 100};

TChartState Zoomed()
{
    TChartState chart;
    chart.Show({{At(0, 0), At(1, 0.3), At(2, -0.2), At(3, 0.1), At(4, 0)}, {At(1, 0.3), At(2, -0.2), At(3, 0.1)}},
               "0.00", "4.00");
    chart.Zoom({1, 0.3}, {3, -0.2});
    return chart;
}

TEST(ChartState, PointsToWhatIsDrawnUnderThePointer)
{
    const TChartState chart = Zoomed();
    ASSERT_EQ(chart.View(), (TView{1, 3, -0.2, 0.3}));
    struct TRow {
        TPixel At;
        int Kept;         // the marker under it, -1 for none
        double Pointed;   // the angle of the sample pointed to, -1 for none
    };
    for (const TRow& row : {TRow{{10, 20}, 0, 1}, TRow{{110, 120}, 1, 2}, TRow{{210, 60}, 2, 3},
                            // off the markers, the sample nearest in angle
                            TRow{{59, 70}, -1, 1}, TRow{{61, 70}, -1, 2},
                            // outside the plot
                            TRow{{5, 70}, -1, -1}, TRow{{100, 121}, -1, -1}}) {
        EXPECT_EQ(chart.KeptAt(row.At, kPlot), row.Kept) << row.At.X << ", " << row.At.Y;
        const TSample* pointed = chart.Pointed(row.At, kPlot);
        EXPECT_EQ(pointed ? pointed->Angle : -1, row.Pointed) << row.At.X << ", " << row.At.Y;
    }
}

TEST(ChartState, ADragMovesTheViewFromWhereItStarted)
{
    TChartState chart = Zoomed();
    chart.Drag(100, 0, kPlot);
    EXPECT_EQ(chart.View(), (TView{1, 3, -0.2, 0.3})) << "no drag started";
    chart.StartDrag();
    chart.Drag(100, 0, kPlot);
    chart.Drag(100, 0, kPlot);
    EXPECT_EQ(chart.View(), (TView{0, 2, -0.2, 0.3}));
}

TEST(ChartState, ANewRunShowsItsWholeRangeWithNothingChosen)
{
    TChartState chart = Zoomed();
    EXPECT_EQ(chart.Choose(3), -1);
    EXPECT_EQ(chart.Choose(1), 1);
    const std::vector<TSample> samples{At(10, 0.1), At(10.01, 0.2)};
    chart.Show({samples, {samples[1], samples[0]}}, "10.00", "10.01");
    EXPECT_EQ(chart.Chosen(), -1);
    EXPECT_EQ(chart.View(), WholeRange(samples));
    EXPECT_EQ(chart.Title(), "10.00 … 10.01, отсчётов: 2");
    chart.Show({}, "95.00", "89.99");
    EXPECT_EQ(chart.Walk(TWalkKey::Right), -1);
}

} // namespace
