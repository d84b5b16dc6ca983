#include "scan/list.h"

#include <cstring>
#include <string>

inline namespace FORMULA_CORE_NS {

EListError::EListError(std::int32_t index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")")
{
}

TList::~TList()
{
    TList::Clear();
}

std::int32_t TList::Add(TObject* item)
{
    if (FCount == FCapacity)
        Grow();
    FItems[FCount] = item;
    return FCount++;
}

void TList::Delete(std::int32_t index)
{
    CheckIndex(index);
    --FCount;
    std::memmove(FItems + index, FItems + index + 1, (FCount - index) * sizeof *FItems);
}

void TList::Clear()
{
    delete[] FItems;
    FItems = nullptr;
    FCount = 0;
    FCapacity = 0;
}

void TList::Sort(TListSortCompare compare)
{
    if (FCount > 0)
        QuickSort(0, FCount - 1, compare);
}

void TList::Grow()
{
    const std::int32_t delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    auto* items = new TObject*[FCapacity + delta];
    if (FCount > 0)
        std::memcpy(items, FItems, FCount * sizeof *FItems);
    delete[] FItems;
    FItems = items;
    FCapacity += delta;
}

// The order among equal keys is part of the output, so this exact partition
// scheme is kept: the pivot is an item, not a slot; left part by recursion,
// right part by the loop.
void TList::QuickSort(std::int32_t l, std::int32_t r, TListSortCompare compare)
{
    std::int32_t i;
    do {
        i = l;
        std::int32_t j = r;
        const TObject* pivot = FItems[l + (r - l) / 2];
        do {
            while (compare(FItems[i], pivot) < 0)
                ++i;
            while (compare(FItems[j], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(FItems[i], FItems[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j)
            QuickSort(l, j, compare);
        l = i;
    } while (i < r);
}

TClassList::~TClassList()
{
    Clear();
}

void TClassList::Clear()
{
    for (std::int32_t i = 0; i < Count(); ++i)
        delete Get(i);
    TList::Clear();
}

void TClassList::DeleteItem(std::int32_t index)
{
    delete Get(index);
    Delete(index);
}

} // namespace FORMULA_CORE_NS
