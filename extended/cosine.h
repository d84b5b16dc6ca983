#pragma once

#include "extended/extended.h"

inline namespace FORMULA_CORE_NS {

// The cosine of x in radians, within one unit in the last place for
// |x| <= 3π/4 (every angle of a sweep lies in [0, π/2]). Built from the basic
// operations alone, so that every backend gives the same bits.
Extended Cosine(const Extended& x);

} // namespace FORMULA_CORE_NS
