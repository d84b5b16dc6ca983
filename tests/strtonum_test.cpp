#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "extended/fpu.h"
#include "numtext/numtext.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Reading {
    const char* text;
    double value;
};

class StrToNumReads : public testing::TestWithParam<Reading> {};

TEST_P(StrToNumReads, ToTheExactDoubleAndSign)
{
    const Reading& c = GetParam();
    const double got = StrToNum(c.text);
    EXPECT_TRUE(SameBits(got, c.value)) << '"' << c.text << "\" read as " << got;
}

INSTANTIATE_TEST_SUITE_P(WellFormed, StrToNumReads, testing::Values(
    Reading{" 1,5 ", 1.5}, Reading{"\t7\r\n", 7.0}, Reading{"12,5", 12.5},
    Reading{"1,5e2", 150.0}, Reading{"+7", 7.0}, Reading{".5", 0.5}, Reading{"5.", 5.0},
    Reading{".", 0.0}, Reading{"E5", 0.0}, Reading{"-.e3", -0.0}, Reading{"-0", -0.0},
    Reading{"-0.00", -0.0}, Reading{"-1e-400", -0.0}, Reading{"1e-400", 0.0},
    Reading{"1e-5000", 0.0}, Reading{"1e-6000", 0.0}, Reading{"1,2", 1.2},
    Reading{"89.99", 89.99}, Reading{"1e308", 1e308},
    Reading{"1.7976931348623158e308", std::numeric_limits<double>::max()},
    Reading{"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
    Reading{"1e5120", kInf}, Reading{"-1e6000", -kInf}, Reading{"0e6000", 0.0},
    Reading{"12345678901234567890123", 12345678901234567890123.0},
    Reading{"0.000000000000000000000000000001", 1e-30}));

INSTANTIATE_TEST_SUITE_P(NotANumber, StrToNumReads, testing::Values(
    Reading{"", 0.0}, Reading{"   ", 0.0}, Reading{"-", 0.0}, Reading{"+", 0.0},
    Reading{"abc", 0.0}, Reading{"- 5", 0.0}, Reading{"+Inf", 0.0}, Reading{"-Inf", 0.0},
    Reading{"e+", 0.0}, Reading{"-.x", 0.0}, Reading{"\xa0" "5", 0.0}));

// A malformed text reads as its well-formed part before the break.
INSTANTIATE_TEST_SUITE_P(MalformedPrefix, StrToNumReads, testing::Values(
    Reading{"12abc", 12.0}, Reading{"1.5x", 1.5}, Reading{"-12abc", -12.0},
    Reading{"1.2.3", 1.2}, Reading{"1,2,3", 1.2}, Reading{"1e", 1.0}, Reading{"1e+", 1.0},
    Reading{"1e5x", 100000.0}, Reading{"-0x", -0.0}, Reading{"5\xa0", 5.0},
    Reading{"12 34", 12.0}, Reading{"1e400x", kInf}, Reading{"-1e400x", -kInf},
    Reading{"1e99999999999999999999999x", kInf}));

TEST(StrToNum, OverflowsBeyondTheDoubleRangeAndNowhereElse)
{
    for (const char* text : {"1.7976931348623159e308", "1.8e308", "1e400", "1e5000", "1e5119",
                             " 1.8E+0308", "-1e309"}) {
        EXPECT_THROW(StrToNum(text), EOverflow) << text;
    }
    try {
        StrToNum("1e309");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Floating point overflow");
    }
}

TEST(StrToNum, ExponentBoundariesOfOneEK)
{
    EXPECT_EQ(StrToNum("1e308"), 1e308);
    EXPECT_THROW(StrToNum("1e309"), EOverflow);
    EXPECT_THROW(StrToNum("1e5119"), EOverflow);
    EXPECT_EQ(StrToNum("1e5120"), kInf);
    EXPECT_EQ(StrToNum("1e99999999999999999999999"), kInf);
    EXPECT_EQ(StrToNum("1e-99999999999999999999999"), 0.0);
}

TEST(StrToNum, MantissaBeyondTheExtendedRangeOverflowsWhateverTheExponent)
{
    const std::string digits(4940, '9');
    EXPECT_THROW(StrToNum(digits + "e-9000"), EOverflow);
    EXPECT_THROW(StrToNum(digits + "x"), EOverflow);
    EXPECT_EQ(StrToNum(std::string(4900, '9') + "e-4900"), 1.0);
    // Fraction digits count like integer digits, and a long tail of zeros is no failure.
    EXPECT_EQ(StrToNum("0." + std::string(1'000'000, '0') + "1"), 0.0);
    EXPECT_EQ(StrToNum(std::string(1'000'000, '0') + "12"), 12.0);
}

TEST(StrToNum, LeavesNoInvalidOperationBehind)
{
    ResetFpu();
    for (const char* text : {"1e5000x", "-1e6000", "0e6000", "1e-6000", "abc", "1e400x"})
        StrToNum(text);
    EXPECT_EQ(FpuStatusWord() & kFpuInvalid, 0);
    ResetFpu();
}

TEST(Trim, CutsControlCharactersAndBlanksAtBothEndsOnly)
{
    EXPECT_EQ(Trim(std::string("\0\x1f a b \x20\t", 9)), "a b");
    EXPECT_EQ(Trim(" \t\r\n"), "");
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0");
}

TEST(FixDecimalSeparator, TurnsOnlyTheFirstComma)
{
    EXPECT_EQ(FixDecimalSeparator("1,2,3"), "1.2,3");
    EXPECT_EQ(FixDecimalSeparator("12"), "12");
}

} // namespace
