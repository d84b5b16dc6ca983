#include <gtest/gtest.h>

#include "cosine_reference.h"
#include "extended/cosine.h"
#include "numtext/numtext.h"
#include "scan/formula.h"
#include "scan/sweep.h"

namespace {

// A stratified share of what tools/cosine-check covers whole: from a spread of
// two-decimal starts, every sweep angle up to 89.99 (the exact arguments the
// scan meets) must have its cosine within an ulp of the true one.
TEST(Cosine, WithinAnUlpOverSweepsFromSpreadStarts)
{
    const double end = StrToNum("89.99");
    for (const char* start : {"0.00", "0.01", "7.77", "29.99", "44.99", "45.00", "45.01", "60.00", "89.50"}) {
        double worst = 0;
        SweepRange(StrToNum(start), end, [&worst](const TSample& s) {
            worst = std::max(worst, CosineUlpError(Radians(s.Angle)));
        });
        EXPECT_LT(worst, 1.0) << "sweep from " << start;
    }
}

// The branch point, both ends of [0, π/2], and a step past each.
TEST(Cosine, WithinAnUlpAtTheEdges)
{
    const Extended halfPi = 1.570796326794896619256404479703093102216_ext;
    const Extended tiny = 0x1p-40;
    for (const Extended& x : {Extended(0.0), tiny, 0.5 * halfPi - tiny, 0.5 * halfPi, 0.5 * halfPi + tiny,
                              halfPi - tiny, halfPi, halfPi + tiny, -halfPi})
        EXPECT_LT(CosineUlpError(x), 1.0) << static_cast<double>(x);
}

} // namespace
