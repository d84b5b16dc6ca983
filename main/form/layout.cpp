#include "form.h"

#include <cmath>

int FontPixels(double pixelsPerInch)
{
    return static_cast<int>(std::floor(kFontPixels * pixelsPerInch / kDesignPixelsPerInch + 0.5));
}

int ScaledToFont(int design, int textHeight)
{
    return (2 * design * textHeight + kDesignTextHeight) / (2 * kDesignTextHeight);
}
