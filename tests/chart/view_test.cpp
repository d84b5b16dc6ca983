#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "main/chart/view.h"
#include "sampleat.h"

namespace {

void ExpectView(const TView& got, const TView& expected, const char* name)
{
    EXPECT_NEAR(got.Left, expected.Left, 1e-12) << name;
    EXPECT_NEAR(got.Right, expected.Right, 1e-12) << name;
    EXPECT_NEAR(got.Bottom, expected.Bottom, 1e-12) << name;
    EXPECT_NEAR(got.Top, expected.Top, 1e-12) << name;
}

TEST(WholeRange, ShowsEverySampleAndTheZeroLineWithMargins)
{
    struct TRow {
        const char* Name;
        std::vector<TSample> Samples;
        TView Whole;
    };
    const TRow rows[] = {
        {"no samples", {}, {0, 90, -1, 1}},
        {"a run: 2 % of angle, 5 % of d", {At(10, -0.1), At(15, 0.3), At(20, 0.1)}, {9.8, 20.2, -0.12, 0.32}},
        {"d above zero keeps the zero line", {At(10, 0.1), At(20, 0.3)}, {9.8, 20.2, -0.015, 0.315}},
        {"d all zero", {At(10, 0), At(20, 0)}, {9.8, 20.2, -0.1, 0.1}},
        {"one angle: a degree around it", {At(45, 0.001)}, {44.48, 45.52, -0.00005, 0.00105}},
        {"one angle at 0 stays within 0…90", {At(0, 0)}, {-0.02, 1.02, -0.1, 0.1}},
        {"one angle at 89.99 stays within 0…90", {At(89.99, 0)}, {88.98, 90.02, -0.1, 0.1}},
    };
    for (const TRow& row : rows)
        ExpectView(WholeRange(row.Samples), row.Whole, row.Name);
}

TEST(Limited, KeepsTheLeastSpansAndStaysInsideTheWhole)
{
    const TView whole{0, 90, -1, 1};
    struct TRow {
        const char* Name;
        TView View, Whole, Limited;
    };
    const TRow rows[] = {
        {"inside", {10, 20, -0.5, 0.5}, whole, {10, 20, -0.5, 0.5}},
        {"edges in either order", {20, 10, 0.5, -0.5}, whole, {10, 20, -0.5, 0.5}},
        {"narrower than the least spans", {45, 45.01, 0.1, 0.10001}, whole, {44.955, 45.055, 0.099955, 0.100055}},
        {"moved back inside", {85, 95, 0.5, 1.5}, whole, {80, 90, 0, 1}},
        {"larger than the whole", {-10, 100, -2, 2}, whole, {0, 90, -1, 1}},
        {"a whole narrower than the least spans", {45, 45.05, 0, 0.00005}, {45, 45.05, 0, 0.00005},
         {44.975, 45.075, -0.000025, 0.000075}},
    };
    for (const TRow& row : rows)
        ExpectView(Limited(row.View, row.Whole), row.Limited, row.Name);
}

TEST(ViewMoves, ZoomPanAndShowAPointStayLimited)
{
    const TView whole{0, 90, -1, 1};
    const TView view{10, 20, 0, 1};
    struct TRow {
        const char* Name;
        std::function<TView()> Move;
        TView Expected;
    };
    const TRow rows[] = {
        {"zoom in around a point, which stays", [&] { return ZoomedAround(view, 1, {15, 0.5}, whole); },
         {11, 19, 0.1, 0.9}},
        {"zoom in around a corner", [&] { return ZoomedAround(view, 2, {10, 0}, whole); }, {10, 16.4, 0, 0.64}},
        {"zoom out, moved inside the whole", [&] { return ZoomedAround({0, 10, 0, 1}, -1, {5, 0.5}, whole); },
         {0, 12.5, -0.25, 1}},
        {"rectangle", [&] { return RectangleZoom({30, 0.2}, {40, -0.2}, whole); }, {30, 40, -0.2, 0.2}},
        {"rectangle below the least spans", [&] { return RectangleZoom({30, 0}, {30.01, 0.00001}, whole); },
         {29.955, 30.055, -0.000045, 0.000055}},
        {"pan left", [&] { return PanStep(view, TPanDirection::Left, whole); }, {9, 19, 0, 1}},
        {"pan right", [&] { return PanStep(view, TPanDirection::Right, whole); }, {11, 21, 0, 1}},
        {"pan up", [&] { return PanStep({10, 20, 0, 0.5}, TPanDirection::Up, whole); }, {10, 20, 0.05, 0.55}},
        {"pan down", [&] { return PanStep(view, TPanDirection::Down, whole); }, {10, 20, -0.1, 0.9}},
        {"pan stops at the edge", [&] { return PanStep({0, 10, 0, 1}, TPanDirection::Left, whole); }, {0, 10, 0, 1}},
        {"drag right and down", [&] { return DragPan({10, 20, -0.5, 0.5}, 70, 35, 700, 350, whole); },
         {9, 19, -0.4, 0.6}},
        {"drag stops at the edge", [&] { return DragPan(view, -7000, 0, 700, 350, whole); }, {80, 90, 0, 1}},
        {"a shown point leaves the view", [&] { return Showing(view, {20, 1}, whole); }, {10, 20, 0, 1}},
        {"the view centres on a point not shown", [&] { return Showing(view, {30, -0.5}, whole); },
         {25, 35, -1, 0}},
    };
    for (const TRow& row : rows)
        ExpectView(row.Move(), row.Expected, row.Name);
}

} // namespace
