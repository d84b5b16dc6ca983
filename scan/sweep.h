#pragma once

#include "extended/extended.h"
#include "scan/formula.h"

inline namespace FORMULA_CORE_NS {

// One sample of a sweep: the doubles the report shows for it.
struct TSample {
    double Angle = 0.0;
    double Value = 0.0;
    double D = 0.0;  // Angle - Value, taken in extended precision and stored
};

// The angle step of every sweep, in degrees.
inline const Extended kStep = 0.01_ext;

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
        sample.D = static_cast<double>(Extended(angle) - sample.Value);
        visit(sample);
    }
}

} // namespace FORMULA_CORE_NS
