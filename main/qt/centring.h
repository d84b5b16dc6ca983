#pragma once

#include <optional>

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// CentredCorner of the window's description, in Qt's types.
QPoint CentredCorner(const QRect& screen, const QSize& outer);

// When a window is centred again while its window manager frames it. The frame
// is known only once the mapped window is framed, and the window manager may
// report the frame and the window's place in either order, report a stale place
// after the frame, or keep the place asked for and report no move at all. So
// every report that knows the frame may centre the window again, until one
// shows it centred; a window manager that places it elsewhere whatever it is
// asked gets a few requests, not an endless exchange.
class TCentring {
public:
    TCentring(const QRect& screen, const QSize& client);

    // A report of the window system: the frame's margins (null while unknown)
    // and where the window's client area now is. Returns where to move the
    // frame's top-left corner, or nothing when the window stays.
    std::optional<QPoint> Report(const QMargins& frame, const QPoint& client);

    // True once no report will move the window any more.
    bool Settled() const;

private:
    static constexpr int kMaxMoves = 3;

    const QRect Screen;
    const QSize Client;
    int Moves = 0;
    bool Done = false;
    QMargins AskedFrame;
    QPoint AskedFrom;
};
