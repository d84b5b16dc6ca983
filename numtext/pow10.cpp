#include "numtext/pow10.h"

#include <cmath>

#include "numtext/numtext.h"

namespace {

// Each entry is the extended value nearest its power of ten (exact up to 10^27).
constexpr long double kSmall[32] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L,
};
// Index j holds 10^(32 j).
constexpr long double kMiddle[16] = {
    1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L,
};
// Index k holds 10^(512 k).
constexpr long double kLarge[10] = {
    1e0L,    1e512L,  1e1024L, 1e1536L, 1e2048L,
    1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L,
};

} // namespace

long double ScalePow10(long double value, int exponent)
{
    if (exponent == 0)
        return value;
    if (exponent >= kPow10Limit)
        return value == 0 ? value : HUGE_VALL;
    if (exponent <= -kPow10Limit)
        return 0.0L;

    const bool down = exponent < 0;
    const unsigned n = down ? -exponent : exponent;
    // Three table steps, each rounded to the 64-bit significand; an overflow
    // leaves +Inf (the x87 overflow exception is masked).
    const long double factors[3] = {kSmall[n % 32], kMiddle[(n / 32) % 16], kLarge[n / 512]};
    for (long double f : factors) {
        if (f == 1.0L)
            continue;
        value = down ? value / f : value * f;
    }
    return value;
}

long double Pow10(long double value, int exponent)
{
    const long double result = ScalePow10(value, exponent);
    if (std::isinf(result) && !std::isinf(value) && exponent < kPow10Limit)
        throw EOverflow();
    return result;
}
