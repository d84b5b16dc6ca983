#include "layout.h"

#include <cmath>

int FontPixels(double pixelsPerInch)
{
    return static_cast<int>(std::floor(kFontPixels * pixelsPerInch / kDesignPixelsPerInch + 0.5));
}

int ScaledToFont(int design, int textHeight)
{
    return (2 * design * textHeight + kDesignTextHeight) / (2 * kDesignTextHeight);
}

TSize ClientSize(int textHeight)
{
    return {ScaledToFont(kClientWidth, textHeight), ScaledToFont(kClientHeight, textHeight)};
}

TRect ControlRect(const TControlSpec& designed, int textHeight, TSize textSize)
{
    const TSize size = designed.Kind == TControlKind::Label
                           ? textSize
                           : TSize{ScaledToFont(designed.Width, textHeight), ScaledToFont(designed.Height, textHeight)};
    return {ScaledToFont(designed.Left, textHeight), ScaledToFont(designed.Top, textHeight), size.Width, size.Height};
}
