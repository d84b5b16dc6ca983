#include "nearest.h"

#include <algorithm>
#include <iterator>

#include "appearance.h"

const TSample* NearestInAngle(std::span<const TSample> samples, double angle)
{
    if (samples.empty())
        return nullptr;
    const auto after = std::lower_bound(samples.begin(), samples.end(), angle,
                                        [](const TSample& sample, double a) { return sample.Angle < a; });
    if (after == samples.begin())
        return &*after;
    if (after == samples.end() || angle - std::prev(after)->Angle <= after->Angle - angle)
        return &*std::prev(after);
    return &*after;
}

int KeptAt(std::span<const TSample> kept, TPixel at, const TPixelOf& pixelOf)
{
    // Kept samples come largest deviation first: the first hit is on top.
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const double radius = (i == 0 ? kLargestMarkerSize : kMarkerSize) / 2.0;
        const TPixel pixel = pixelOf(kept[i]);
        const double dx = pixel.X - at.X;
        const double dy = pixel.Y - at.Y;
        if (dx * dx + dy * dy <= radius * radius)
            return static_cast<int>(i);
    }
    return -1;
}

const TSample* PointedSample(const TSweep& sweep, TPixel at, double angle, const TPixelOf& pixelOf)
{
    const int kept = KeptAt(sweep.Kept, at, pixelOf);
    return kept >= 0 ? &sweep.Kept[static_cast<std::size_t>(kept)] : NearestInAngle(sweep.Samples, angle);
}
