#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extended/extended.h"
#include "numtext/exception.h"

inline namespace FORMULA_CORE_NS {

// Number text never consults the locale: the point is always written, a comma
// is read as the point, and no digit grouping is written or accepted.

// Removes the characters of codes 0 to 32 from both ends.
std::string Trim(std::string_view text);

// Turns the first comma into a point.
std::string FixDecimalSeparator(std::string_view text);

// Reads a number leniently; text that is not a number reads as the number
// before its first stray character, or as +0. Never returns a NaN.
// Throws EOverflow for a value beyond the double range or mantissa digits
// beyond the extended range.
double StrToNum(std::string_view text);

// Writes value with `decimals` digits after the point, rounding half up on its
// decimal digits; magnitudes from 2^120 on in exponent form. A count outside
// 0 to 216 is taken as the nearer bound: 217 and more give 216 decimals.
// A NaN is written "NaN", right-aligned like "+Inf" and "-Inf".
std::string NumToStr(int decimals, double value);

std::string IntToStr(std::int32_t value);

} // namespace FORMULA_CORE_NS
