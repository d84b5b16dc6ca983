#include <gtest/gtest.h>

#include "main/chart/placement.h"

namespace {

bool Inside(const TRect& inner, const TRect& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Left + inner.Width <= outer.Left + outer.Width
           && inner.Top + inner.Height <= outer.Top + outer.Height;
}

TEST(ChartFrame, BesideTheMainWindowElseShrunkElseCoveringTheLeastOfIt)
{
    struct TRow {
        const char* Name;
        TRect Available, Owner;
        TSize Wanted;
        TRect Frame;
    };
    const TRect wide{0, 0, 1920, 1050};
    const TRow rows[] = {
        {"right, from the window's top", wide, {100, 300, 587, 410}, {762, 502}, {687, 300, 762, 502}},
        {"right, moved up onto the screen", wide, {100, 800, 587, 410}, {762, 502}, {687, 548, 762, 502}},
        {"left", wide, {1200, 0, 587, 410}, {762, 502}, {438, 0, 762, 502}},
        {"below", {0, 0, 1024, 1000}, {218, 0, 587, 410}, {762, 502}, {218, 410, 762, 502}},
        {"below, moved left onto the screen", {0, 0, 1024, 1000}, {500, 0, 587, 410}, {762, 502}, {262, 410, 762, 502}},
        // 1280×1024 with the window centred: below is the largest free area.
        {"shrunk below", {0, 0, 1280, 1024}, {346, 307, 587, 410}, {762, 502}, {346, 717, 762, 307}},
        {"shrunk beside", {0, 0, 1600, 600}, {100, 95, 587, 410}, {1000, 502}, {687, 95, 913, 502}},
        // 144 dpi scaled by 1.5: 1024×768 is 683×512, no room anywhere.
        {"least, covering least of the window", {0, 0, 683, 512}, {48, 51, 587, 410}, {762, 502}, {48, 290, 322, 222}},
        {"least, at the right edge", {0, 0, 1000, 500}, {100, 0, 700, 500}, {762, 502}, {678, 0, 322, 222}},
        {"never larger than the screen", {0, 24, 800, 576}, {-700, 100, 587, 410}, {1140, 742}, {0, 24, 800, 576}},
        {"on a second screen", {1920, 0, 1280, 1024}, {1930, 10, 587, 410}, {600, 400}, {2517, 10, 600, 400}},
    };
    for (const TRow& row : rows) {
        const TRect frame = ChartFrame(row.Available, row.Owner, row.Wanted, {322, 222});
        EXPECT_EQ(frame, row.Frame) << row.Name << ": " << frame.Left << ", " << frame.Top << ", " << frame.Width
                                    << ", " << frame.Height;
        EXPECT_TRUE(Inside(frame, row.Available)) << row.Name;
    }
}

TEST(PulledInside, MovesTheCornerInAndCutsWhatStillReachesOut)
{
    const TRect available{0, 24, 1280, 1000};
    struct TRow {
        const char* Name;
        TRect Frame, Pulled;
    };
    const TRow rows[] = {
        {"inside stays", {100, 100, 770, 510}, {100, 100, 770, 510}},
        {"out to the right, cut", {700, 100, 770, 510}, {700, 100, 580, 510}},
        {"out at the top, moved down", {100, 10, 770, 510}, {100, 24, 770, 510}},
        {"out at the left and the bottom", {-30, 600, 770, 510}, {0, 600, 770, 424}},
        {"larger than the area", {-10, 0, 1400, 1100}, {0, 24, 1280, 1000}},
    };
    for (const TRow& row : rows) {
        const TRect pulled = PulledInside(row.Frame, available);
        EXPECT_EQ(pulled, row.Pulled) << row.Name << ": " << pulled.Left << ", " << pulled.Top << ", "
                                      << pulled.Width << ", " << pulled.Height;
    }
}

} // namespace
