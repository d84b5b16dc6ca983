#include "titleline.h"

#include <cstdint>

#include "numtext/numtext.h"

std::string TitleLine(std::string_view start, std::string_view end, std::size_t samples)
{
    return std::string(start) + " … " + std::string(end) + ", отсчётов: " + IntToStr(static_cast<std::int32_t>(samples));
}
