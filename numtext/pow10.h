#pragma once

// Decimal exponents from this magnitude on scale to infinity or zero outright.
inline constexpr int kPow10Limit = 5120;

// Pow10 without the overflow failure: a product beyond the extended range is +Inf.
long double ScalePow10(long double value, int exponent);
