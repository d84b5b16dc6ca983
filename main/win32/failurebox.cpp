#include "failurebox.h"

#include <algorithm>
#include <cstdint>

namespace {

std::int64_t SharedArea(const TRect& a, const TRect& b)
{
    const std::int64_t width = std::min(a.Left + a.Width, b.Left + b.Width) - std::max(a.Left, b.Left);
    const std::int64_t height = std::min(a.Top + a.Height, b.Top + b.Height) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The first of the screens that share most with window; null when none does.
const TRect* ScreenOf(std::span<const TRect> screens, const TRect& window)
{
    const TRect* best = nullptr;
    std::int64_t bestArea = 0;
    for (const TRect& screen : screens)
        if (const std::int64_t area = SharedArea(screen, window); area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    return best;
}

} // namespace

TRect FailureBoxScreen(std::span<const TRect> screens, const std::optional<TRect>& active, const TRect& application)
{
    if (active)
        if (const TRect* screen = ScreenOf(screens, *active))
            return *screen;
    if (const TRect* screen = ScreenOf(screens, application))
        return *screen;
    return screens.empty() ? application : screens.front();
}
