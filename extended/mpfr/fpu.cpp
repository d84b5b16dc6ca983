#include "extended/fpu.h"

#include <mpfr.h>

inline namespace FORMULA_CORE_NS {

// Every operation sets its own precision, rounding and range, so the mode
// needs no loading; only the flags are state.
void SetFpuMode()
{
}

void ResetFpu()
{
    mpfr_clear_flags();
}

std::uint16_t FpuControlWord()
{
    return kFpuControlWord;
}

std::uint16_t FpuStatusWord()
{
    return (mpfr_nanflag_p() ? kFpuInvalid : 0) | (mpfr_divby0_p() ? kFpuZeroDivide : 0)
           | (mpfr_overflow_p() ? kFpuOverflow : 0);
}

} // namespace FORMULA_CORE_NS
