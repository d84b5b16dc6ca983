#pragma once

#include "extended/extended.h"

inline namespace FORMULA_CORE_NS {

// Decimal exponents from this magnitude on scale to infinity or zero outright.
inline constexpr int kPow10Limit = 5120;

// value scaled by 10^exponent, every step rounded to the extended format.
// Throws EOverflow when a product leaves the extended range.
Extended Pow10(const Extended& value, int exponent);

// Pow10 without the overflow failure: a product beyond the extended range is +Inf.
Extended ScalePow10(Extended value, int exponent);

} // namespace FORMULA_CORE_NS
