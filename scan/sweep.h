#pragma once

#include <cmath>

#include "scan/formula.h"

// One sample of a sweep: the doubles the report shows for it.
struct TSample {
    double Angle = 0.0;
    double Value = 0.0;
    double D = 0.0;  // Angle - Value, taken in extended precision and stored
};

// The angle step of every sweep, in degrees.
inline constexpr long double kStep = 0.01L;

// Calls visit(sample) for every sample from start up to end in steps of 0.01
// degree, in order. The angle is accumulated, never recomputed as
// start + n × step: its drift decides whether the last step lands on the end
// or just past it.
template <class Visit>
void SweepRange(double start, double end, Visit&& visit)
{
    for (double angle = start; angle <= end; angle = static_cast<double>(angle + kStep)) {
        TSample sample;
        sample.Angle = angle;
        sample.Value = FormulaValue(angle);
        sample.D = static_cast<double>(static_cast<long double>(angle) - sample.Value);
        visit(sample);
    }
}
