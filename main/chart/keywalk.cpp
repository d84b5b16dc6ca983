#include "keywalk.h"

#include <algorithm>
#include <numeric>

TKeyWalk::TKeyWalk(std::span<const TSample> kept)
    : ByAngle(kept.size())
{
    std::iota(ByAngle.begin(), ByAngle.end(), 0);
    std::sort(ByAngle.begin(), ByAngle.end(), [kept](int a, int b) {
        return kept[static_cast<std::size_t>(a)].Angle < kept[static_cast<std::size_t>(b)].Angle;
    });
}

int TKeyWalk::Walk(TWalkKey key)
{
    if (ByAngle.empty())
        return -1;
    const int last = static_cast<int>(ByAngle.size()) - 1;
    if (ChosenKept < 0)
        ChosenKept = 0;
    else if (key == TWalkKey::PageDown || key == TWalkKey::PageUp)
        ChosenKept = std::clamp(ChosenKept + (key == TWalkKey::PageDown ? 1 : -1), 0, last);
    else {
        const int at = static_cast<int>(std::find(ByAngle.begin(), ByAngle.end(), ChosenKept) - ByAngle.begin());
        ChosenKept = ByAngle[static_cast<std::size_t>(std::clamp(at + (key == TWalkKey::Right ? 1 : -1), 0, last))];
    }
    return ChosenKept;
}
