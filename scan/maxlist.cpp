#include "scan/maxlist.h"

#include <memory>

inline namespace FORMULA_CORE_NS {

std::int32_t CompareDeviation(const TObject* a, const TObject* b)
{
    const double x = static_cast<const TDegClass*>(a)->Deviation;
    const double y = static_cast<const TDegClass*>(b)->Deviation;
    return x > y ? -1 : x < y ? 1 : 0;
}

TDegClass* TMaxList::AddItem()
{
    auto item = std::make_unique<TDegClass>();
    Add(item.get());
    return item.release();
}

void TMaxList::DeleteMin()
{
    if (Count() < 2)
        return;
    TObject* const* items = List();
    const std::int32_t count = Count();
    std::int32_t chosen = 0;
    double least = static_cast<const TDegClass*>(items[0])->Deviation;
    for (std::int32_t i = 1; i < count; ++i) {
        // Strictly less: of equal least deviations the earliest added goes.
        const double deviation = static_cast<const TDegClass*>(items[i])->Deviation;
        if (deviation < least) {
            least = deviation;
            chosen = i;
        }
    }
    DeleteItem(chosen);
}

TDegClass* TMaxList::GetItem(std::int32_t index) const
{
    return static_cast<TDegClass*>(Get(index));
}

void TMaxList::SortByDeviation()
{
    Sort(CompareDeviation);
}

} // namespace FORMULA_CORE_NS
