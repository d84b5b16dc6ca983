// Form1 at work: the keyboard rules of the loop, its window procedure with
// the failure boundary, and the focus it keeps.
#include "tform1.h"

#include <string>
#include <utility>

#include "application.h"
#include "main/form/enterkey.h"
#include "main/form/failuredisplay.h"
#include "widetext.h"

bool TForm1::HandleKeyboard(MSG& message)
{
    // IsDialogMessageW would click a focused button on Shift+Enter and
    // Ctrl+Enter too, and send IDOK for a button focused by SetFocus.
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.wParam == VK_RETURN
        && IsChild(Handle, message.hwnd)) {
        const TKeyModifiers held{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
        if (message.message == WM_KEYDOWN && EnterPressesButton1(message.hwnd == Button1, held))
            SendMessageW(Button1, BM_CLICK, 0, 0);
        return true;
    }
    return IsDialogMessageW(Handle, &message);
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* const form = static_cast<TForm1*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->Handle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* const form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    // A failure never crosses the window system's code: it ends here, in the box.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (...) {
        form->ShowFailure();
        return 0;
    }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // IDOK and IDCANCEL from the dialog keys do nothing: there is no
        // default and no cancel button.
        if (reinterpret_cast<HWND>(lParam) == Button1 && HIWORD(wParam) == BN_CLICKED)
            Button1Click();
        return 0;
    case WM_ACTIVATE:
        // A plain window would forget its focused control, and leave the
        // focus on itself after a message box.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); focus && IsChild(Handle, focus))
                Focused = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_CTLCOLORSTATIC:
        // Read-only, the report area would take the button face as its
        // background; it keeps the window colour of a text area.
        if (reinterpret_cast<HWND>(lParam) == Memo1) {
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const HWND window = std::exchange(Handle, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    }
    return DefWindowProcW(Handle, message, wParam, lParam);
}

void TForm1::RestoreFocus()
{
    if (Focused && IsChild(Handle, Focused)) {
        SetFocus(Focused);
        return;
    }
    // No control has had the focus yet: the first field, its text selected as
    // on entry by the keyboard.
    SetFocus(Edit1);
    SendMessageW(Edit1, EM_SETSEL, 0, -1);
}

void TForm1::ShowFailure()
{
    const std::wstring text = WideText(PrepareFailureBox([] { ReleaseCapture(); }));
    // Disabling Form1 for the box takes the focus away before the
    // deactivation could note it.
    if (const HWND focus = GetFocus(); focus && IsChild(Handle, focus))
        Focused = focus;
    // Owned by Form1, the box disables it while it is up; Form1 is the only
    // top-level window, so the box opens on its monitor.
    MessageBoxW(Handle, text.c_str(), Application.Title.c_str(), MB_OK | MB_ICONSTOP);
}
