#include "centring.h"

#include "main/form/centredcorner.h"

QPoint CentredCorner(const QRect& screen, const QSize& outer)
{
    const TPoint corner = CentredCorner(TRect{screen.x(), screen.y(), screen.width(), screen.height()},
                                        outer.width(), outer.height());
    return {corner.X, corner.Y};
}

TCentring::TCentring(const QRect& screen, const QSize& client)
    : Screen(screen)
    , Client(client)
{
}

std::optional<QPoint> TCentring::Report(const QMargins& frame, const QPoint& client)
{
    if (Done || frame.isNull())
        return {};
    const QPoint corner = client - QPoint(frame.left(), frame.top());
    const QPoint centred = CentredCorner(Screen, Client.grownBy(frame));
    if (corner == centred || Moves == kMaxMoves) {
        Done = true;
        return {};
    }
    // The answer to the last request may still be on its way: a report that
    // tells nothing new leaves the window alone.
    if (Moves > 0 && frame == AskedFrame && corner == AskedFrom)
        return {};
    AskedFrame = frame;
    AskedFrom = corner;
    ++Moves;
    return centred;
}

bool TCentring::Settled() const
{
    return Done;
}
