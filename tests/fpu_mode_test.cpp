#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "extended/fpu.h"
#include "numtext/numtext.h"
#include "scan/scan.h"

namespace {

std::string Hex(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

struct TExactResult {
    const char* What;
    std::function<std::string()> Compute;
    const char* Exact;  // at 64-bit precision
};

// Each of these comes out otherwise at 53-bit precision.
const TExactResult kExactResults[] = {
    {"StrToNum of 30 digits", [] { return Hex(StrToNum("123456789012345678901234567890")); },
     "0x1.8ee90ff6c373ep+96"},
    {"NumToStr of 2^53", [] { return NumToStr(4, 9007199254740992.0); }, "9007199254740992.0000"},
    {"NumToStr of 1e23", [] { return NumToStr(4, 1e23); }, "99999999999999991600000.0000"},
    {"FormulaValue at 0.03", [] { return Hex(FormulaValue(0.03)); }, "0x1.e737f3348edf8p-6"},
};

void LoadControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

// kFpuControlWord with precision control 10b: 53-bit significand.
constexpr std::uint16_t kDoublePrecisionWord = (kFpuControlWord & ~0x0300) | 0x0200;

TEST(SetFpuMode, MakesAProcessStartedAt53BitPrecisionExact)
{
    const std::string report = ScanDeviations("0.00", "89.99");
    LoadControlWord(kDoublePrecisionWord);
    EXPECT_EQ(FpuControlWord(), kDoublePrecisionWord);
    // The cases must tell the two precisions apart, or this test shows nothing.
    for (const TExactResult& c : kExactResults)
        EXPECT_NE(c.Compute(), c.Exact) << c.What;

    SetFpuMode();
    for (const TExactResult& c : kExactResults)
        EXPECT_EQ(c.Compute(), c.Exact) << c.What;
    const std::string after = ScanDeviations("0.00", "89.99");
    EXPECT_EQ(after, report);
    EXPECT_EQ(after.substr(after.find('\n') + 1, 28), "89.9800 => 89.7008  d=0.2792");
}

} // namespace
