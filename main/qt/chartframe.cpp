#include "chartframe.h"

#include <algorithm>
#include <array>

namespace {

enum class TSide { Right, Left, Below };

struct TFree {
    TSide Side;
    QRect Area;
};

// The frame of size in area, as near the main window as area allows: beside
// it from its top, or below it from its left edge.
QRect PlacedIn(const TFree& free, const QRect& owner, const QSize& size)
{
    const QRect& area = free.Area;
    const int x = free.Side == TSide::Right  ? area.left()
                  : free.Side == TSide::Left ? area.right() + 1 - size.width()
                                             : std::clamp(owner.left(), area.left(), area.right() + 1 - size.width());
    const int y = free.Side == TSide::Below ? area.top()
                                            : std::clamp(owner.top(), area.top(), area.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

qint64 Surface(const QSize& size)
{
    return qint64(size.width()) * size.height();
}

} // namespace

QRect ChartFrame(const QRect& available, const QRect& owner, const QSize& wanted, const QSize& least)
{
    const QSize size = wanted.boundedTo(available.size());
    const std::array<TFree, 3> free{{
        {TSide::Right, QRect(QPoint(owner.right() + 1, available.top()), available.bottomRight()) & available},
        {TSide::Left, QRect(available.topLeft(), QPoint(owner.left() - 1, available.bottom())) & available},
        {TSide::Below, QRect(QPoint(available.left(), owner.bottom() + 1), available.bottomRight()) & available},
    }};
    for (const TFree& side : free)
        if (side.Area.width() >= size.width() && side.Area.height() >= size.height())
            return PlacedIn(side, owner, size);

    const auto roomier = [&size](const TFree& a, const TFree& b) {
        return Surface(size.boundedTo(a.Area.size())) < Surface(size.boundedTo(b.Area.size()));
    };
    const TFree& largest = *std::max_element(free.begin(), free.end(), roomier);
    const QSize shrunk = size.boundedTo(largest.Area.size());
    if (shrunk.width() >= least.width() && shrunk.height() >= least.height())
        return PlacedIn(largest, owner, shrunk);

    // No room beside it: at least least in size, at the far edge of the side
    // where it covers the least of the main window.
    const QSize small = least.boundedTo(available.size());
    const auto covered = [&owner](const QRect& frame) { return Surface((frame & owner).size()); };
    QRect best;
    for (const TFree& side : free) {
        QRect frame = PlacedIn({side.Side, available}, owner, small);
        if (side.Side == TSide::Right)
            frame.moveRight(available.right());
        else if (side.Side == TSide::Left)
            frame.moveLeft(available.left());
        else
            frame.moveBottom(available.bottom());
        if (best.isNull() || covered(frame) < covered(best))
            best = frame;
    }
    return best;
}
