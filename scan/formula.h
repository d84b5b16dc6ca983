#pragma once

#include "extended/extended.h"

inline namespace FORMULA_CORE_NS {

// r(angle) = 120 * sqrt((0.559 - 0.111 cos angle) (1 - cos angle)), angle in degrees.
double FormulaValue(double angle);

// The argument in radians whose cosine FormulaValue takes.
Extended Radians(double angle);

} // namespace FORMULA_CORE_NS
