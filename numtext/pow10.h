#pragma once

#include "extended/extended.h"

inline namespace FORMULA_CORE_NS {

// Decimal exponents from this magnitude on scale to infinity or zero outright.
inline constexpr int kPow10Limit = 5120;

// Pow10 without the overflow failure: a product beyond the extended range is +Inf.
Extended ScalePow10(Extended value, int exponent);

} // namespace FORMULA_CORE_NS
