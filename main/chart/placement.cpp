#include "placement.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

int Right(const TRect& rect)
{
    return rect.Left + rect.Width;
}

int Bottom(const TRect& rect)
{
    return rect.Top + rect.Height;
}

// The part two rectangles share; empty when they share nothing.
TRect Common(const TRect& a, const TRect& b)
{
    const int left = std::max(a.Left, b.Left);
    const int top = std::max(a.Top, b.Top);
    const int right = std::min(Right(a), Right(b));
    const int bottom = std::min(Bottom(a), Bottom(b));
    if (right <= left || bottom <= top)
        return {0, 0, 0, 0};
    return {left, top, right - left, bottom - top};
}

// The rectangle between two edges, empty when they cross.
TRect Between(int left, int top, int right, int bottom)
{
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

TSize BoundedTo(TSize size, TSize bound)
{
    return {std::min(size.Width, bound.Width), std::min(size.Height, bound.Height)};
}

bool Holds(TSize outer, TSize inner)
{
    return outer.Width >= inner.Width && outer.Height >= inner.Height;
}

std::int64_t Surface(TSize size)
{
    return std::int64_t(size.Width) * size.Height;
}

enum class TSide { Right, Left, Below };

struct TFree {
    TSide Side;
    TRect Area;
};

// The frame of size in area, as near the main window as area allows: beside
// it from its top, or below it from its left edge.
TRect PlacedIn(const TFree& free, const TRect& owner, TSize size)
{
    const TRect& area = free.Area;
    const int x = free.Side == TSide::Right  ? area.Left
                  : free.Side == TSide::Left ? Right(area) - size.Width
                                             : std::clamp(owner.Left, area.Left, Right(area) - size.Width);
    const int y = free.Side == TSide::Below ? area.Top : std::clamp(owner.Top, area.Top, Bottom(area) - size.Height);
    return {x, y, size.Width, size.Height};
}

} // namespace

TRect ChartFrame(const TRect& available, const TRect& owner, TSize wanted, TSize least)
{
    const TSize availableSize{available.Width, available.Height};
    const TSize size = BoundedTo(wanted, availableSize);
    const std::array<TFree, 3> free{{
        {TSide::Right, Common(Between(Right(owner), available.Top, Right(available), Bottom(available)), available)},
        {TSide::Left, Common(Between(available.Left, available.Top, owner.Left, Bottom(available)), available)},
        {TSide::Below, Common(Between(available.Left, Bottom(owner), Right(available), Bottom(available)), available)},
    }};
    for (const TFree& side : free)
        if (Holds({side.Area.Width, side.Area.Height}, size))
            return PlacedIn(side, owner, size);

    const auto room = [&size](const TFree& free) { return BoundedTo(size, {free.Area.Width, free.Area.Height}); };
    const TFree& largest = *std::max_element(free.begin(), free.end(), [&room](const TFree& a, const TFree& b) {
        return Surface(room(a)) < Surface(room(b));
    });
    if (Holds(room(largest), least))
        return PlacedIn(largest, owner, room(largest));

    // No room beside it: least in size, at the far edge of the side where it
    // covers the least of the main window.
    const TSize small = BoundedTo(least, availableSize);
    const auto covered = [&owner](const TRect& frame) {
        const TRect common = Common(frame, owner);
        return Surface({common.Width, common.Height});
    };
    TRect best{};
    bool found = false;
    for (const TFree& side : free) {
        TRect frame = PlacedIn({side.Side, available}, owner, small);
        if (side.Side == TSide::Right)
            frame.Left = Right(available) - frame.Width;
        else if (side.Side == TSide::Left)
            frame.Left = available.Left;
        else
            frame.Top = Bottom(available) - frame.Height;
        if (!found || covered(frame) < covered(best))
            best = frame;
        found = true;
    }
    return best;
}

TRect PulledInside(const TRect& frame, const TRect& available)
{
    if (Common(frame, available) == frame)
        return frame;
    const TRect moved{std::max(frame.Left, available.Left), std::max(frame.Top, available.Top), frame.Width,
                      frame.Height};
    return Common(moved, available);
}
