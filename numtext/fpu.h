#pragma once

#include <cstdint>

// The x87 mode every computation runs in: 64-bit significand, rounding to
// nearest, every exception masked. The routines that can meet an overflow test
// for it at that operation and throw, so no trap is ever taken. Bit 6 is
// reserved and reads back as 1, so the word is written as it reads.
inline constexpr std::uint16_t kFpuControlWord = 0x137F;

// x87 status word bits.
inline constexpr std::uint16_t kFpuInvalid = 0x0001;
inline constexpr std::uint16_t kFpuZeroDivide = 0x0004;
inline constexpr std::uint16_t kFpuOverflow = 0x0008;

// Loads kFpuControlWord.
void SetFpuMode();

// Clears the status and the register stack, then loads kFpuControlWord again.
void ResetFpu();

std::uint16_t FpuControlWord();
std::uint16_t FpuStatusWord();
