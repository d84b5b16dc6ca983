#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The chart's title line, which names what a saved image shows: the range as
// the fields show it and the count of samples, "0.00 … 89.99, отсчётов: 8999".
std::string TitleLine(std::string_view start, std::string_view end, std::size_t samples);
