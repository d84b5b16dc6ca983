#pragma once

#include <functional>
#include <span>

#include "scan/scan.h"

// A point on the screen, in pixels; not rounded, as markers are not.
struct TPixel {
    double X, Y;
};

// The sample nearest in angle, the earlier of two as near; null without
// samples. samples lie in ascending angle.
const TSample* NearestInAngle(std::span<const TSample> samples, double angle);

// The shell's mapping from a sample to where the chart draws it.
using TPixelOf = std::function<TPixel(const TSample&)>;

// Of the kept samples' markers under at, the one drawn on top: each is drawn
// over those of smaller deviations, the largest, ringed and larger, over all.
// -1 when at is on no marker.
int KeptAt(std::span<const TSample> kept, TPixel at, const TPixelOf& pixelOf);

// What the pointer at points to: the sample of the marker under it, else the
// sample nearest to angle, the angle under the pointer.
const TSample* PointedSample(const TSweep& sweep, TPixel at, double angle, const TPixelOf& pixelOf);
