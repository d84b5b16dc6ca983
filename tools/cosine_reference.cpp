#include "cosine_reference.h"

#include <cstdint>

#include <mpfr.h>

#include "extended/cosine.h"

namespace {

// The exact value of an extended number, from its 80-bit pattern.
void SetExact(mpfr_t target, const Extended& x)
{
    const int biased = x.SignExponent() & 0x7FFF;
    mpfr_set_uj_2exp(target, x.Significand(), (biased ? biased : 1) - 16383 - 63, MPFR_RNDN);
    if (x.SignExponent() & 0x8000)
        mpfr_neg(target, target, MPFR_RNDN);
}

} // namespace

double CosineUlpError(const Extended& x)
{
    mpfr_t argument, exact, computed;
    mpfr_inits2(128, argument, exact, computed, static_cast<mpfr_ptr>(nullptr));
    SetExact(argument, x);
    mpfr_cos(exact, argument, MPFR_RNDN);
    const Extended c = Cosine(x);
    SetExact(computed, c);
    mpfr_sub(computed, computed, exact, MPFR_RNDN);
    // An ulp of c: 2^(e - 63) for c in [2^e, 2^(e+1)).
    mpfr_mul_2si(computed, computed, 63 - BinaryExponent(c), MPFR_RNDN);
    const double error = mpfr_get_d(computed, MPFR_RNDN);
    mpfr_clears(argument, exact, computed, static_cast<mpfr_ptr>(nullptr));
    return error < 0 ? -error : error;
}
