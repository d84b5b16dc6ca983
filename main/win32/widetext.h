#pragma once

#include <string>
#include <string_view>

#include <windows.h>

// The window system's texts are UTF-16, the core's UTF-8: every text crosses
// between them here, so the number routines see the bytes they see on Linux.
std::wstring WideText(std::string_view text);
std::string Utf8Text(std::wstring_view text);

// The whole text of a window or control.
std::wstring WindowText(HWND window);
