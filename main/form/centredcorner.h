#pragma once

#include "geometry.h"

// The top-left corner that centres a window of the outer size (frame and title
// bar included) on the screen: integer halves of the space left over, never
// left of or above the screen.
TPoint CentredCorner(const TRect& screen, int outerWidth, int outerHeight);
