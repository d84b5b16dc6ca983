#include "extended/fpu.h"

inline namespace FORMULA_CORE_NS {

void SetFpuMode()
{
    std::uint16_t cw = kFpuControlWord;
    asm volatile("fldcw %0" : : "m"(cw));
}

void ResetFpu()
{
    asm volatile("fninit" : : : "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
    SetFpuMode();
}

std::uint16_t FpuControlWord()
{
    std::uint16_t cw;
    asm volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

std::uint16_t FpuStatusWord()
{
    std::uint16_t sw;
    asm volatile("fnstsw %0" : "=m"(sw));
    return sw;
}

} // namespace FORMULA_CORE_NS
