#pragma once

#include <string_view>

// The fixed form NumToStr writes, for the fuzz targets' property checks.

inline bool AllDigits(std::string_view s)
{
    return s.find_first_not_of("0123456789") == std::string_view::npos;
}

// -?digits without a leading zero, then "." and exactly n digits when n > 0.
inline bool IsFixedForm(std::string_view t, int n)
{
    if (!t.empty() && t.front() == '-')
        t.remove_prefix(1);
    const std::size_t point = n > 0 ? t.size() - n - 1 : t.size();
    if (t.size() < static_cast<std::size_t>(n) + (n > 0 ? 2 : 1))
        return false;
    if (n > 0 && (t[point] != '.' || !AllDigits(t.substr(point + 1))))
        return false;
    const std::string_view integer = t.substr(0, point);
    return !integer.empty() && AllDigits(integer) && (integer.size() == 1 || integer[0] != '0');
}
