#pragma once

#include <cstdint>

inline namespace FORMULA_CORE_NS {

// The floating-point mode every computation runs in: 64-bit significand,
// rounding to nearest, every exception masked. The routines that can meet an
// overflow test for it at that operation and throw, so no trap is ever taken.
// On the x87 backend this is the unit's control word (bit 6 is reserved and
// reads back as 1, so the word is written as it reads); the mpfr backend
// carries the same mode in every operation and reports this word as its own.
inline constexpr std::uint16_t kFpuControlWord = 0x137F;

// Status bits, as the x87 unit numbers them; the mpfr backend maps its flags onto them.
inline constexpr std::uint16_t kFpuInvalid = 0x0001;
inline constexpr std::uint16_t kFpuZeroDivide = 0x0004;
inline constexpr std::uint16_t kFpuOverflow = 0x0008;

// Loads kFpuControlWord.
void SetFpuMode();

// Clears the status (and the x87 register stack), then loads kFpuControlWord again.
void ResetFpu();

std::uint16_t FpuControlWord();
std::uint16_t FpuStatusWord();

} // namespace FORMULA_CORE_NS
