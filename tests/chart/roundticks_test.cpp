#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "main/chart/roundticks.h"

namespace {

TEST(RoundTicks, FinestRoundStepWithTheDecimalsThatTellTicksApart)
{
    struct TRow {
        double Low, High;
        int Most;
        double Step;
        int Decimals;
    };
    for (const TRow& row : {TRow{0, 90, 10, 10, 0}, TRow{0, 95, 10, 10, 0}, TRow{-0.29, 0.31, 8, 0.1, 1},
                            TRow{0, 1.6, 8, 0.2, 1}, TRow{0.1, 0.3, 8, 0.05, 2}, TRow{0, 0.95, 10, 0.1, 1},
                            TRow{44.95, 45.05, 10, 0.01, 2}, TRow{0, 0.0001, 8, 0.00002, 5},
                            TRow{-1, 1, 8, 0.5, 1}, TRow{0, 5000, 8, 1000, 0}}) {
        const TRoundTicks ticks = RoundTicks(row.Low, row.High, row.Most);
        // The double nearest the round step, not a product off by an ulp.
        EXPECT_EQ(ticks.Step, row.Step) << row.Low << ".." << row.High;
        EXPECT_EQ(ticks.Decimals, row.Decimals) << row.Low << ".." << row.High;
        EXPECT_LE((row.High - row.Low) / ticks.Step, row.Most + 1e-9) << row.Low << ".." << row.High;
        // Neighbouring ticks written with Decimals differ in their last digit at least.
        EXPECT_GE(std::round(ticks.Step * std::pow(10.0, ticks.Decimals)), 1) << row.Low << ".." << row.High;
    }
}

TEST(AxisTicks, EveryRoundStepInsideTheViewLabelledWithItsDecimals)
{
    struct TRow {
        double Low, High;
        int Most;
        std::string Labels;
    };
    for (const TRow& row : {TRow{0, 90, 10, "0 10 20 30 40 50 60 70 80 90"},
                            // zero written as such, never "-0.0"
                            TRow{-0.29, 0.31, 8, "-0.2 -0.1 0.0 0.1 0.2 0.3"},
                            // edges a hair off the round steps keep their ticks
                            TRow{44.95, 45.05, 10, "44.95 44.96 44.97 44.98 44.99 45.00 45.01 45.02 45.03 45.04 45.05"},
                            TRow{-1.05, -0.02, 8, "-1.0 -0.8 -0.6 -0.4 -0.2"}}) {
        std::string labels;
        for (const TAxisTick& tick : AxisTicks(row.Low, row.High, row.Most))
            labels += (labels.empty() ? "" : " ") + tick.Label;
        EXPECT_EQ(labels, row.Labels) << row.Low << ".." << row.High;
    }
}

} // namespace
