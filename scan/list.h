#pragma once

#include <cstdint>

#include "numtext/exception.h"

inline namespace FORMULA_CORE_NS {

// Root of everything an owning list may hold: destroyed through its own destructor.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

class EListError : public Exception {
public:
    explicit EListError(std::int32_t index);
};

// Negative when a belongs before b, positive when after, 0 when they rank equal.
using TListSortCompare = std::int32_t (*)(const TObject* a, const TObject* b);

// An ordered array of references in insertion order; never frees its items.
class TList {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    virtual ~TList();

    std::int32_t Add(TObject* item);
    void Delete(std::int32_t index);
    TObject* Get(std::int32_t index) const
    {
        CheckIndex(index);
        return FItems[index];
    }
    virtual void Clear();
    void Sort(TListSortCompare compare);

    std::int32_t Count() const { return FCount; }
    std::int32_t Capacity() const { return FCapacity; }
    // Slots 0 to Count() - 1, for passes over the whole list without index tests.
    TObject* const* List() const { return FItems; }

private:
    void Grow();
    void CheckIndex(std::int32_t index) const
    {
        if (index < 0 || index >= FCount)
            throw EListError(index);
    }
    void QuickSort(std::int32_t l, std::int32_t r, TListSortCompare compare);

    TObject** FItems = nullptr;
    std::int32_t FCount = 0;
    std::int32_t FCapacity = 0;
};

// A TList that owns its items: removing one with DeleteItem, Clear and the
// destructor free them.
class TClassList : public TList {
public:
    TClassList() = default;
    ~TClassList() override;

    void Clear() override;
    void DeleteItem(std::int32_t index);
};

} // namespace FORMULA_CORE_NS
