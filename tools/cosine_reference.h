#pragma once

#include "extended/extended.h"

// The error of Cosine(x) in units in the last place of its extended result,
// against the cosine of the same x evaluated by MPFR at 128 bits.
double CosineUlpError(const Extended& x);
