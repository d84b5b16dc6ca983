#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "numtext/numtext.h"

namespace {

struct Writing {
    int decimals;
    double value;
    std::string text;
};

class NumToStrWrites : public testing::TestWithParam<Writing> {};

TEST_P(NumToStrWrites, DigitForDigit)
{
    const Writing& c = GetParam();
    EXPECT_EQ(NumToStr(c.decimals, c.value), c.text)
        << c.decimals << " decimals of " << std::hexfloat << c.value;
}

INSTANTIATE_TEST_SUITE_P(TwoDecimals, NumToStrWrites, testing::Values(
    Writing{2, 0.0, "0.00"}, Writing{2, -0.0, "-0.00"}, Writing{2, -0.001, "-0.00"},
    Writing{2, 0.125, "0.13"}, Writing{2, 0.375, "0.38"}, Writing{2, 2.675, "2.67"},
    Writing{2, 1.005, "1.00"}, Writing{2, 0.015, "0.02"}, Writing{2, 9.995, "9.99"},
    Writing{2, 89.995, "90.00"}, Writing{2, 99.995, "100.00"}, Writing{2, 9.999, "10.00"},
    Writing{2, 12.345, "12.35"}, Writing{2, 45.0, "45.00"}, Writing{2, 89.99, "89.99"},
    Writing{2, 1e18, "1000000000000000000.00"},
    Writing{2, 1e35, "99999999999999996900000000000000000.00"},
    Writing{2, 0x1.fffffffffffffp119, "1329227995784915725000000000000000000.00"}));

INSTANTIATE_TEST_SUITE_P(ExponentForm, NumToStrWrites, testing::Values(
    Writing{2, 0x1p120, " 1.3E+0036"}, Writing{2, 1.79e308, " 1.8E+0308"},
    Writing{2, 9.96e40, " 1.0E+0041"}, Writing{2, -1e300, "-1.0E+0300"},
    Writing{4, std::numeric_limits<double>::max(), " 1.8E+0308"},
    Writing{28, 0x1p120, "   1.32922799578491587E+0036"},
    Writing{40, -0x1p120, "              -1.32922799578491587E+0036"}));

INSTANTIATE_TEST_SUITE_P(Infinities, NumToStrWrites, testing::Values(
    Writing{2, HUGE_VAL, "+Inf"}, Writing{4, -HUGE_VAL, "-Inf"}, Writing{7, HUGE_VAL, "   +Inf"},
    Writing{2, NAN, "NaN"}, Writing{5, -NAN, "  NaN"}));

// Counts beyond 0 to 216 are taken as the nearer bound; near 2^31 the length
// computations once overflowed.
INSTANTIATE_TEST_SUITE_P(CountsOutOfRange, NumToStrWrites, testing::Values(
    Writing{-1, 2.5, "3"}, Writing{-2147483647 - 1, 0.49, "0"},
    Writing{217, 0.5, "0.5" + std::string(215, '0')}, Writing{2147483647, 1.0, "1." + std::string(216, '0')},
    Writing{2147483647, HUGE_VAL, std::string(212, ' ') + "+Inf"}));

INSTANTIATE_TEST_SUITE_P(FourAndZeroDecimals, NumToStrWrites, testing::Values(
    Writing{4, 0.0, "0.0000"}, Writing{4, 0.00005, "0.0001"}, Writing{4, 0.00015, "0.0002"},
    Writing{4, 12.34, "12.3400"}, Writing{4, 45.0181, "45.0181"},
    Writing{4, 89.98000000000913, "89.9800"}, Writing{0, 0.5, "1"}, Writing{0, 2.5, "3"},
    Writing{0, -2.5, "-3"}, Writing{0, 9.999, "10"}, Writing{0, 0.49, "0"}));

// Past the 18th significant digit the text is padded with zeros, not rounded.
INSTANTIATE_TEST_SUITE_P(LongForms, NumToStrWrites, testing::Values(
    Writing{20, 0.1, "0.10000000000000001000"}, Writing{17, 1.0 / 3, "0.33333333333333331"},
    Writing{16, 1.0 / 3, "0.3333333333333333"}, Writing{3, 5e-324, "0.000"}));

TEST(NumToStr, StaysWithinItsLengthBounds)
{
    const double largestFixed = 0x1.fffffffffffffp119;
    EXPECT_EQ(NumToStr(2, -largestFixed).size(), 41u);
    EXPECT_EQ(NumToStr(4, -largestFixed).size(), 43u);
    EXPECT_EQ(NumToStr(216, -largestFixed).size(), 255u);
    EXPECT_EQ(NumToStr(216, -1e300).size(), 216u);
    EXPECT_EQ(NumToStr(10, 1e300).size(), 10u);
}

TEST(IntToStr, WritesPlainDecimals)
{
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(100), "100");
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
}

} // namespace
