#include "title.h"

std::u16string TitleFromFileName(std::u16string_view fileName, TLowerCase lower)
{
    const std::u16string_view stem = fileName.substr(0, fileName.find(u'.'));
    if (stem.empty())
        return {};
    // The first character is a whole code point, a surrogate pair included.
    const std::size_t first = (stem[0] >= 0xD800 && stem[0] < 0xDC00 && stem.size() > 1) ? 2 : 1;
    return std::u16string(stem.substr(0, first)) + lower(stem.substr(first));
}
