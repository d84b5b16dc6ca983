#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "main/chart/nearest.h"
#include "sampleat.h"

namespace {

TEST(NearestInAngle, TheEarlierOfTwoAsNear)
{
    const std::vector<TSample> samples{At(1, 0), At(2, 0), At(4, 0)};
    struct TRow {
        double Angle, Nearest;
    };
    for (const TRow row : {TRow{0, 1}, TRow{1.4, 1}, TRow{1.5, 1}, TRow{1.6, 2}, TRow{3, 2}, TRow{3.1, 4},
                           TRow{10, 4}})
        EXPECT_EQ(NearestInAngle(samples, row.Angle)->Angle, row.Nearest) << row.Angle;
    EXPECT_EQ(NearestInAngle({}, 1), nullptr);
}

// Markers where a shell might draw them: each kept sample's angle names its pixel.
const std::map<double, TPixel> kPixels{{1, {100, 100}}, {2, {105, 100}}, {3, {200, 200}}, {4, {201, 200}}};

TPixel PixelOf(const TSample& sample)
{
    return kPixels.at(sample.Angle);
}

TEST(KeptAt, TheMarkerOnTopUnderThePoint)
{
    // Report order: the largest deviation first, drawn larger and over all.
    const std::vector<TSample> kept{At(1, 0.4), At(2, 0.3), At(3, 0.2), At(4, 0.1)};
    struct TRow {
        TPixel At;
        int Kept;
    };
    for (const TRow row : {TRow{{100, 100}, 0}, TRow{{106, 100}, 0}, TRow{{100, 106.5}, 0}, TRow{{108, 100}, 1},
                           TRow{{108.6, 100}, -1}, TRow{{202, 200}, 2}, TRow{{204.5, 200}, 3},
                           TRow{{150, 150}, -1}})
        EXPECT_EQ(KeptAt(kept, row.At, PixelOf), row.Kept) << row.At.X << ", " << row.At.Y;

    const TSweep sweep{{At(1, 0.4), At(2, 0.3), At(2.5, 0), At(3, 0.2), At(4, 0.1)}, kept};
    EXPECT_EQ(PointedSample(sweep, {108, 100}, 0, PixelOf), &sweep.Kept[1]);
    EXPECT_EQ(PointedSample(sweep, {150, 150}, 2.4, PixelOf), &sweep.Samples[2]);
    EXPECT_EQ(PointedSample({}, {150, 150}, 2.4, PixelOf), nullptr);
}

} // namespace
