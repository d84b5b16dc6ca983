#include "numtext/exception.h"

inline namespace FORMULA_CORE_NS {

std::string MessageWithFullStop(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace FORMULA_CORE_NS
