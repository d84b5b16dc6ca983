#pragma once

#include <string>
#include <string_view>

// The application title from the executable's file name (its folders already
// cut off): cut at the first full stop, every character after the first put
// into lower case by the platform's rules. UTF-16, as both platforms name files.
using TLowerCase = std::u16string (*)(std::u16string_view);
std::u16string TitleFromFileName(std::u16string_view fileName, TLowerCase lower);
