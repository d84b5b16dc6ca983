#include "extended/extended.h"

#include <cstring>

inline namespace FORMULA_CORE_NS {

static_assert(sizeof(long double) >= 10);

std::uint64_t Extended::Significand() const
{
    std::uint64_t significand;
    std::memcpy(&significand, &V, sizeof significand);
    return significand;
}

std::uint16_t Extended::SignExponent() const
{
    std::uint16_t signExponent;
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&V) + 8, sizeof signExponent);
    return signExponent;
}

} // namespace FORMULA_CORE_NS
