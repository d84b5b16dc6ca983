#include <vector>

#include <gtest/gtest.h>

#include "main/chart/keywalk.h"

namespace {

TSample At(double angle)
{
    TSample sample;
    sample.Angle = angle;
    return sample;
}

TEST(TKeyWalk, FirstKeyTakesTheLargestThenByAngleOrDeviationToEitherEnd)
{
    // Report order, the largest deviation first; by angle: 1, 2, 0, 3.
    const std::vector<TSample> kept{At(30), At(10), At(20), At(40)};
    using enum TWalkKey;
    struct TRow {
        const char* Name;
        int ChosenFirst;  // by a click; -1: none
        std::vector<TWalkKey> Keys;
        std::vector<int> Chosen;
    };
    const TRow rows[] = {
        {"right", -1, {Right, Right, Right}, {0, 3, 3}},
        {"left", -1, {Left, Left, Left, Left}, {0, 2, 1, 1}},
        {"page down", -1, {PageDown, PageDown, PageDown, PageDown, PageDown}, {0, 1, 2, 3, 3}},
        {"page up", -1, {PageUp, PageUp, PageDown, PageUp}, {0, 0, 1, 0}},
        {"from a click", 2, {Right, PageDown}, {0, 1}},
    };
    for (const TRow& row : rows) {
        TKeyWalk walk(kept);
        EXPECT_EQ(walk.Chosen(), -1);
        if (row.ChosenFirst >= 0)
            walk.Choose(row.ChosenFirst);
        std::vector<int> chosen;
        for (const TWalkKey key : row.Keys) {
            chosen.push_back(walk.Walk(key));
            EXPECT_EQ(walk.Chosen(), chosen.back()) << row.Name;
        }
        EXPECT_EQ(chosen, row.Chosen) << row.Name;
    }
    TKeyWalk none(std::vector<TSample>{});
    EXPECT_EQ(none.Walk(Right), -1);
    EXPECT_EQ(none.Chosen(), -1);
}

} // namespace
