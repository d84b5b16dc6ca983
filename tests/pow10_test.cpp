#include <cmath>

#include <gtest/gtest.h>

#include "numtext/numtext.h"

namespace {

TEST(Pow10, ExactWhilePowersAreExact)
{
    EXPECT_EQ(Pow10(7.0L, 26), 7e26L);
    EXPECT_EQ(Pow10(7e26L, -26), 7.0L);
    EXPECT_EQ(Pow10(7.0L, 0), 7.0L);
}

TEST(Pow10, RoundsEveryTableStep)
{
    // 10^4931 as small[3] × middle[10] × large[9], each product rounded.
    const long double stepwise = 1e3L * 1e320L * 1e4608L;
    EXPECT_EQ(Pow10(1.0L, 4931), stepwise);
    EXPECT_EQ(Pow10(stepwise, -4931), stepwise / 1e3L / 1e320L / 1e4608L);
}

TEST(Pow10, SaturatesFrom5120On)
{
    EXPECT_EQ(Pow10(1.0L, 5120), HUGE_VALL);
    EXPECT_EQ(Pow10(0.0L, 5120), 0.0L);
    EXPECT_EQ(Pow10(1e4000L, -5120), 0.0L);
    EXPECT_EQ(Pow10(1e-4000L, -1000), 0.0L);  // gradual underflow, silently
}

TEST(Pow10, OverflowOfTheExtendedRangeFails)
{
    EXPECT_THROW(Pow10(1.0L, 4933), EOverflow);
    EXPECT_THROW(Pow10(1e4000L, 1000), EOverflow);
    EXPECT_NO_THROW(Pow10(1.0L, 4932));
}

} // namespace
