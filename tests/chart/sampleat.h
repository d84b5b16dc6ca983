#pragma once

#include "scan/sweep.h"

// A sample where only its angle and its d matter to a chart rule.
inline TSample At(double angle, double d)
{
    TSample sample;
    sample.Angle = angle;
    sample.D = d;
    return sample;
}
