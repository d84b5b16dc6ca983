#pragma once

#include <span>
#include <vector>

#include "scan/sweep.h"

// The keys that walk the kept samples: → and ← by angle, Page Down and Page
// Up to the next smaller and larger deviation.
enum class TWalkKey { Right, Left, PageDown, PageUp };

// The kept sample chosen in the chart, by a key or a click; none at first, and
// the first key chooses the largest deviation. A walk stops at either end.
class TKeyWalk {
public:
    TKeyWalk() = default;
    // kept in report order, largest deviation first.
    explicit TKeyWalk(std::span<const TSample> kept);

    // Into kept; -1 while none is chosen.
    int Chosen() const { return ChosenKept; }
    void Choose(int kept) { ChosenKept = kept; }

    // Chooses the sample the key leads to and returns it; -1, and nothing
    // chosen, without kept samples.
    int Walk(TWalkKey key);

private:
    std::vector<int> ByAngle;  // indices into kept, in angle order
    int ChosenKept = -1;
};

// The line of Memo1 that shows a kept sample: line 0 is the report's header.
constexpr int ReportLineNumber(int kept)
{
    return kept + 1;
}
