#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "extended/extended.h"

namespace {

// Results as the x87 unit leaves them (64-bit precision, rounding to nearest,
// exceptions masked): every backend must give these very bits.
struct Bits {
    const char* what;
    std::function<Extended()> result;
    std::uint64_t significand;
    std::uint16_t signExponent;
};

class ExtendedBits : public testing::TestWithParam<Bits> {};

TEST_P(ExtendedBits, AsTheX87UnitRoundsThem)
{
    const Bits& c = GetParam();
    const Extended x = c.result();
    EXPECT_EQ(x.Significand(), c.significand) << c.what;
    EXPECT_EQ(x.SignExponent(), c.signExponent) << c.what;
}

const Extended kOne = 1.0;
const Extended kLeast = 0x1p-16445_ext;  // the least subnormal

INSTANTIATE_TEST_SUITE_P(Operations, ExtendedBits, testing::Values(
    // Decimal constants: nearest to the decimal, whoever rounds them.
    Bits{"0.111", [] { return 0.111_ext; }, 0xE353F7CED916872Bu, 0x3FFB},
    Bits{"0.559", [] { return 0.559_ext; }, 0x8F1A9FBE76C8B439u, 0x3FFE},
    Bits{"89.99", [] { return 89.99_ext; }, 0xB3FAE147AE147AE1u, 0x4005},
    Bits{"0.01", [] { return 0.01_ext; }, 0xA3D70A3D70A3D70Au, 0x3FF8},
    Bits{"pi/180", [] { return 0.0174532925199432957692369076848861271344_ext; }, 0x8EFA351294E9C8AEu, 0x3FF9},
    Bits{"1e4608", [] { return 1e4608_ext; }, 0xAE3511626ED559F0u, 0x7BCA},
    Bits{"1e-4950, subnormal", [] { return 1e-4950_ext; }, 0x3u, 0x0000},
    // Ties go to the even significand.
    Bits{"1 + 2^-64", [] { return kOne + 0x1p-64; }, 0x8000000000000000u, 0x3FFF},
    Bits{"1 + 3 2^-65", [] { return kOne + 0x1.8p-64; }, 0x8000000000000001u, 0x3FFF},
    Bits{"1 - 2^-65", [] { return kOne - 0x1p-65; }, 0x8000000000000000u, 0x3FFF},
    Bits{"1 / 3", [] { return kOne / 3.0; }, 0xAAAAAAAAAAAAAAABu, 0x3FFD},
    Bits{"sqrt 2", [] { return Sqrt(2.0); }, 0xB504F333F9DE6484u, 0x3FFF},
    Bits{"-(1/3)", [] { return -(kOne / 3.0); }, 0xAAAAAAAAAAAAAAABu, 0xBFFD},
    // Subnormals round once, at their own precision.
    Bits{"least / 2", [] { return kLeast / 2.0; }, 0x0u, 0x0000},
    Bits{"least * 1.5", [] { return kLeast * 1.5; }, 0x2u, 0x0000},
    Bits{"least * 3 / 2", [] { return kLeast * 3.0 / 2.0; }, 0x2u, 0x0000},
    Bits{"least normal * (1 - 2^-64)", [] { return 0x1p-16382_ext * (kOne - 0x1p-64); }, 0x8000000000000000u, 0x0001},
    // Beyond the range: infinity.
    Bits{"1e4932 * 10", [] { return 1e4932_ext * 10.0; }, 0x8000000000000000u, 0x7FFF},
    Bits{"-1e4932 * 10", [] { return -1e4932_ext * 10.0; }, 0x8000000000000000u, 0xFFFF},
    Bits{"infinity", [] { return Extended::Infinity(); }, 0x8000000000000000u, 0x7FFF},
    Bits{"-0", [] { return -Extended(0.0); }, 0x0u, 0x8000}));

struct ToDouble {
    Extended value;
    double expected;
};

class ExtendedToDouble : public testing::TestWithParam<ToDouble> {};

TEST_P(ExtendedToDouble, RoundsOnceToNearestEven)
{
    const ToDouble& c = GetParam();
    EXPECT_EQ(static_cast<double>(c.value), c.expected) << std::hexfloat << c.expected;
}

INSTANTIATE_TEST_SUITE_P(Values, ExtendedToDouble, testing::Values(
    ToDouble{kOne + 0x1p-53, 1.0}, ToDouble{kOne + 0x1.8p-53, 1.0 + 0x1p-52},
    ToDouble{0x1p-1075_ext, 0.0}, ToDouble{0x1.8p-1074_ext, 0x1p-1073},  // double subnormals
    ToDouble{Extended(DBL_MAX) + 0x1p969, DBL_MAX}, ToDouble{Extended(DBL_MAX) + 0x1p970, INFINITY},
    ToDouble{1e4000_ext, INFINITY}, ToDouble{-1e4000_ext, -INFINITY}));

TEST(Extended, RoundToInt64TiesToEven)
{
    EXPECT_EQ(RoundToInt64(2.5), 2);
    EXPECT_EQ(RoundToInt64(3.5), 4);
    EXPECT_EQ(RoundToInt64(-2.5), -2);
    EXPECT_EQ(RoundToInt64(0x1p62_ext + 0.5), std::int64_t{1} << 62);
}

TEST(Extended, BinaryExponentAndClasses)
{
    EXPECT_EQ(BinaryExponent(1.0), 0);
    EXPECT_EQ(BinaryExponent(0x1.fp-3), -3);
    EXPECT_EQ(BinaryExponent(1e4000_ext), 13287);
    EXPECT_EQ(BinaryExponent(kLeast), -16445);
    EXPECT_TRUE(IsInf(-Extended::Infinity()));
    EXPECT_FALSE(IsInf(1e4932_ext));
    EXPECT_TRUE(IsNaN(Extended::Infinity() - Extended::Infinity()));
}

TEST(Extended, ComparesAsNumbers)
{
    const Extended nan = Extended::Infinity() - Extended::Infinity();
    EXPECT_TRUE(89.99 < 89.99_ext);  // the double lies just below the extended constant
    EXPECT_TRUE(Extended(0.0) == -Extended(0.0));
    EXPECT_FALSE(nan == nan);
    EXPECT_FALSE(nan < 1.0 || nan > 1.0 || nan <= 1.0 || nan >= 1.0);
}

} // namespace
