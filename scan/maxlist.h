#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/list.h"

inline namespace FORMULA_CORE_NS {

// One sampled angle, its formula value and |Angle - Value|.
class TDegClass : public TObject {
public:
    TDegClass() { ++FLive; }
    ~TDegClass() override { --FLive; }

    double Angle = 0.0;
    double Value = 0.0;
    double Deviation = 0.0;

    // Samples alive in the process: lets tests see that each is freed exactly once.
    static std::ptrdiff_t Live() { return FLive; }

private:
    static inline std::ptrdiff_t FLive = 0;
};

// Orders samples by Deviation, largest first.
std::int32_t CompareDeviation(const TObject* a, const TObject* b);

// The owning list of samples that one scan fills, trims and sorts.
class TMaxList : public TClassList {
public:
    TDegClass* AddItem();
    // Frees the first sample of least Deviation; nothing when fewer than two.
    void DeleteMin();
    TDegClass* GetItem(std::int32_t index) const;
    void SortByDeviation();
};

} // namespace FORMULA_CORE_NS
