#include <gtest/gtest.h>

#include "numtext/exception.h"
#include "numtext/pow10.h"

namespace {

TEST(Pow10, ExactWhilePowersAreExact)
{
    EXPECT_EQ(Pow10(7.0, 26), 7e26_ext);
    EXPECT_EQ(Pow10(7e26_ext, -26), 7.0);
    EXPECT_EQ(Pow10(7.0, 0), 7.0);
}

TEST(Pow10, RoundsEveryTableStep)
{
    // 10^4931 as small[3] × middle[10] × large[9], each product rounded.
    const Extended stepwise = 1e3_ext * 1e320_ext * 1e4608_ext;
    EXPECT_EQ(Pow10(1.0, 4931), stepwise);
    EXPECT_EQ(Pow10(stepwise, -4931), stepwise / 1e3_ext / 1e320_ext / 1e4608_ext);
}

TEST(Pow10, SaturatesFrom5120On)
{
    EXPECT_EQ(Pow10(1.0, 5120), Extended::Infinity());
    EXPECT_EQ(Pow10(0.0, 5120), 0.0);
    EXPECT_EQ(Pow10(1e4000_ext, -5120), 0.0);
    EXPECT_EQ(Pow10(1e-4000_ext, -1000), 0.0);  // gradual underflow, silently
}

TEST(Pow10, OverflowOfTheExtendedRangeFails)
{
    EXPECT_THROW(Pow10(1.0, 4933), EOverflow);
    EXPECT_THROW(Pow10(1e4000_ext, 1000), EOverflow);
    EXPECT_NO_THROW(Pow10(1.0, 4932));
}

} // namespace
