#pragma once

#include <windows.h>

// The window procedure of a class whose every window stands for one object:
// the object comes with WM_NCCREATE, stays in the window's user data, and
// lets go of the window with WM_NCDESTROY, its last message.
template <class TWindow>
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* const object = static_cast<TWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        object->Handle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* const object = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        object->Handle = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // A failure never crosses the window system's code: it ends here, in the box.
    try {
        return object->HandleMessage(message, wParam, lParam);
    } catch (...) {
        object->ShowFailure();
        return 0;
    }
}
