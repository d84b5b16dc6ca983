#pragma once

#include "form.h"
#include "geometry.h"

// The window font's pixel height on a screen of pixelsPerInch, to the nearest
// pixel, halves up.
int FontPixels(double pixelsPerInch);

// A designed size or position on the layout whose font measures textHeight for
// "0", to the nearest pixel (a ratio of n/13 is never a half).
int ScaledToFont(int design, int textHeight);

// The client area on that layout.
TSize ClientSize(int textHeight);

// Where a control goes on that layout. A label takes textSize, the size of its
// own text in the window font: the designed widths fit a narrower font, and a
// label cut short would lose a letter or wrap.
TRect ControlRect(const TControlSpec& designed, int textHeight, TSize textSize);
