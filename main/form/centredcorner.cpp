#include "centredcorner.h"

#include <algorithm>

TPoint CentredCorner(const TRect& screen, int outerWidth, int outerHeight)
{
    return {screen.Left + std::max(0, (screen.Width - outerWidth) / 2),
            screen.Top + std::max(0, (screen.Height - outerHeight) / 2)};
}
