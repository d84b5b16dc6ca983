#include "numtext/pow10.h"

#include "numtext/numtext.h"

inline namespace FORMULA_CORE_NS {

namespace {

// Each entry is the extended value nearest its power of ten (exact up to 10^27).
const Extended kSmall[32] = {
    1.0,      1e1_ext,  1e2_ext,  1e3_ext,  1e4_ext,  1e5_ext,  1e6_ext,  1e7_ext,
    1e8_ext,  1e9_ext,  1e10_ext, 1e11_ext, 1e12_ext, 1e13_ext, 1e14_ext, 1e15_ext,
    1e16_ext, 1e17_ext, 1e18_ext, 1e19_ext, 1e20_ext, 1e21_ext, 1e22_ext, 1e23_ext,
    1e24_ext, 1e25_ext, 1e26_ext, 1e27_ext, 1e28_ext, 1e29_ext, 1e30_ext, 1e31_ext,
};
// Index j holds 10^(32 j).
const Extended kMiddle[16] = {
    1.0,       1e32_ext,  1e64_ext,  1e96_ext,  1e128_ext, 1e160_ext, 1e192_ext, 1e224_ext,
    1e256_ext, 1e288_ext, 1e320_ext, 1e352_ext, 1e384_ext, 1e416_ext, 1e448_ext, 1e480_ext,
};
// Index k holds 10^(512 k).
const Extended kLarge[10] = {
    1.0,        1e512_ext,  1e1024_ext, 1e1536_ext, 1e2048_ext,
    1e2560_ext, 1e3072_ext, 1e3584_ext, 1e4096_ext, 1e4608_ext,
};

} // namespace

Extended ScalePow10(Extended value, int exponent)
{
    if (exponent == 0)
        return value;
    if (exponent >= kPow10Limit)
        return value == 0.0 ? value : Extended::Infinity();
    if (exponent <= -kPow10Limit)
        return 0.0;

    const bool down = exponent < 0;
    const unsigned n = down ? -exponent : exponent;
    // Three table steps, each rounded to the 64-bit significand; an overflow
    // leaves +Inf (the x87 overflow exception is masked).
    const Extended factors[3] = {kSmall[n % 32], kMiddle[(n / 32) % 16], kLarge[n / 512]};
    for (const Extended& f : factors) {
        if (f == 1.0)
            continue;
        value = down ? value / f : value * f;
    }
    return value;
}

Extended Pow10(const Extended& value, int exponent)
{
    const Extended result = ScalePow10(value, exponent);
    if (IsInf(result) && !IsInf(value) && exponent < kPow10Limit)
        throw EOverflow();
    return result;
}

} // namespace FORMULA_CORE_NS
