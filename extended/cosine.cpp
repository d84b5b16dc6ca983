#include "extended/cosine.h"

#include <cstddef>

inline namespace FORMULA_CORE_NS {

namespace {

// π/2 in two parts: the extended value nearest it, and the rest.
const Extended kHalfPi = 1.570796326794896619256404479703093102216_ext;
const Extended kHalfPiRest = -2.50827880633416601177866354016537851e-20_ext;
const Extended kOne = 1.0;
const Extended kHalf = 0.5;

// ±1/n!, correctly rounded: n! up to 21! is an exact double.
Extended Taylor(int n)
{
    double factorial = 1;
    for (int i = 2; i <= n; ++i)
        factorial *= i;
    return Extended(n / 2 % 2 ? -1.0 : 1.0) / Extended(factorial);
}

// Taylor terms beyond the leading ones; the first omitted term lies below
// 2^-77 of the result on [0, π/4].
const Extended kCos[] = {Taylor(4), Taylor(6), Taylor(8), Taylor(10), Taylor(12),
                         Taylor(14), Taylor(16), Taylor(18), Taylor(20)};
const Extended kSinCubic = Taylor(3);
const Extended kSin[] = {Taylor(5), Taylor(7), Taylor(9), Taylor(11), Taylor(13),
                         Taylor(15), Taylor(17), Taylor(19), Taylor(21)};

template <std::size_t N>
Extended Horner(const Extended (&c)[N], const Extended& z)
{
    Extended r = c[N - 1];
    for (std::size_t i = N - 1; i-- > 0;)
        r = c[i] + z * r;
    return r;
}

// cos(x + y) for |x| <= π/4 and y a tail below an ulp of x. w = 1 - z/2 is
// rounded once; its exact error (1 - w) - z/2 is added back with the small
// terms, so only the last addition rounds at full weight.
Extended KernelCos(const Extended& x, const Extended& y)
{
    const Extended z = x * x;
    const Extended r = z * Horner(kCos, z);
    const Extended hz = kHalf * z;
    const Extended w = kOne - hz;
    return w + (((kOne - w) - hz) + (z * r - x * y));
}

// sin(x + y) for |x| <= π/4 and y a tail below an ulp of x: x plus small
// terms, the cubic one last, so x is never rounded before the end.
Extended KernelSin(const Extended& x, const Extended& y)
{
    const Extended z = x * x;
    const Extended v = z * x;
    const Extended r = Horner(kSin, z);
    return x - ((z * (kHalf * y - v * r) - y) - v * kSinCubic);
}

} // namespace

Extended Cosine(const Extended& x)
{
    const Extended a = Abs(x);
    if (!(a > kHalf * kHalfPi))
        return KernelCos(a, Extended());
    // Past π/4 the cosine is the sine of the complement: kHalfPi - a is exact
    // there (a lies within a factor 2 of kHalfPi) and kHalfPiRest carries the rest.
    return KernelSin(kHalfPi - a, kHalfPiRest);
}

} // namespace FORMULA_CORE_NS
