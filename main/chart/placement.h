#pragma once

#include "main/form/geometry.h"

// The client size the chart asks for, and the least it is shrunk to beside the
// main window, where its labels still show, before it goes over it.
inline constexpr TSize kChartSize{760, 480};
inline constexpr TSize kLeastChartSize{360, 240};

// Where the chart's frame goes on the available area of the main window's
// screen, the main window's frame being owner: to its right when wanted fits
// there, else to its left, else below; else shrunk into the largest of those
// free areas, when it keeps at least least there; else least in size where it
// covers the least of the main window. Never larger than available.
TRect ChartFrame(const TRect& available, const TRect& owner, TSize wanted, TSize least);

// A frame that reaches out of the available area, pulled back inside it: its
// top-left corner moved in, what still reaches out cut off.
TRect PulledInside(const TRect& frame, const TRect& available);
