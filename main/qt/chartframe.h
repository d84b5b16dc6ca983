#pragma once

#include <QRect>
#include <QSize>

// Where the chart's frame goes on the available area of the main window's
// screen, the main window's frame being owner: to its right when wanted fits
// there, else to its left, else below; else shrunk into the largest of those
// free areas, when it keeps at least least there; else least in size where it
// covers the least of the main window. Never larger than available.
QRect ChartFrame(const QRect& available, const QRect& owner, const QSize& wanted, const QSize& least);
