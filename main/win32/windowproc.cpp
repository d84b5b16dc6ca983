// Form1 at work: the keyboard rules of the loop, its messages (which reach it
// through the window procedure of windowproc.h, the failure boundary), and
// the focus it keeps.
#include "tform1.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "application.h"
#include "commands.h"
#include "failurebox.h"
#include "main/form/centredcorner.h"
#include "main/form/enterkey.h"
#include "main/form/failuredisplay.h"
#include "widetext.h"

bool TForm1::HandleKeyboard(MSG& message)
{
    if (Chart && Chart->HandleKeyboard(message))
        return true;
    if ((message.hwnd == Handle || IsChild(Handle, message.hwnd)) && TranslateAcceleratorW(Handle, Keys, &message))
        return true;
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

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // IDOK and IDCANCEL from the dialog keys do nothing: there is no
        // default and no cancel button.
        if (reinterpret_cast<HWND>(lParam) == Button1 && HIWORD(wParam) == BN_CLICKED)
            Button1Click();
        else if (!lParam && LOWORD(wParam) == CMD_OPEN_CHART)
            OpenChart();
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
        Chart.reset();
        PostQuitMessage(0);
        return 0;
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

// A read-only multi-line edit asks for every key and for select-all on entry:
// Tab would stick in Memo1, Escape close the window, and Tab into it select
// the whole report. Its own context menu cannot take the chart's entry.
LRESULT CALLBACK TForm1::MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form)
{
    if (message == WM_CONTEXTMENU) {
        reinterpret_cast<TForm1*>(form)->ShowReportMenu(lParam);
        return 0;
    }
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        return result & ~(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
    return result;
}

void TForm1::ShowReportMenu(LPARAM at)
{
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        // From the keyboard: at the report's top-left corner.
        point = {0, 0};
        ClientToScreen(Memo1, &point);
    }
    DWORD start = 0, end = 0;
    SendMessageW(Memo1, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // In Russian whatever the system's language, as the rest of the window.
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (start == end ? MF_GRAYED : 0), CMD_COPY_TEXT, WideText(kCopyTextEntry).c_str());
    AppendMenuW(menu, MF_STRING, CMD_SELECT_ALL, WideText(kSelectAllEntry).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CMD_OPEN_CHART, (WideText(kChartCaption) + L"\tCtrl+G").c_str());
    const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle, nullptr);
    DestroyMenu(menu);
    switch (command) {
    case CMD_COPY_TEXT:
        SendMessageW(Memo1, WM_COPY, 0, 0);
        break;
    case CMD_SELECT_ALL:
        SendMessageW(Memo1, EM_SETSEL, 0, -1);
        break;
    case CMD_OPEN_CHART:
        OpenChart();
        break;
    }
}

namespace {

BOOL CALLBACK CollectEnabled(HWND window, LPARAM windows)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectScreen(HMONITOR monitor, HDC, RECT*, LPARAM screens)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<TRect>*>(screens)->push_back(
        {work.left, work.top, work.right - work.left, work.bottom - work.top});
    return TRUE;
}

TRect Rect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The screen the box is centred on; the box places itself before it shows,
// and this hook moves it there as it is activated.
TRect BoxScreen;

LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[8] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, className, 8) && std::wstring_view(className) == L"#32770") {
        const TRect box = Rect(window);
        const TPoint corner = CentredCorner(BoxScreen, box.Width, box.Height);
        SetWindowPos(window, nullptr, corner.X, corner.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void TForm1::ShowFailure()
{
    const std::wstring text = WideText(PrepareFailureBox([] { ReleaseCapture(); }));
    // Disabling the windows for the box takes the focus away before the
    // deactivation could note it.
    const HWND active = GetActiveWindow();
    const HWND focus = GetFocus();
    if (focus && IsChild(Handle, focus))
        Focused = focus;
    // Every window of the program, the chart too, so that no second press
    // starts from any of them while the box is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
    for (const HWND window : disabled)
        EnableWindow(window, FALSE);
    std::vector<TRect> screens;
    EnumDisplayMonitors(nullptr, nullptr, CollectScreen, reinterpret_cast<LPARAM>(&screens));
    BoxScreen = FailureBoxScreen(screens, active ? std::optional<TRect>(Rect(active)) : std::nullopt, Rect(Handle));
    const HHOOK hook = SetWindowsHookExW(WH_CBT, PlaceBox, nullptr, GetCurrentThreadId());
    MessageBoxW(Handle, text.c_str(), Application.Title.c_str(), MB_OK | MB_ICONSTOP);
    UnhookWindowsHookEx(hook);
    for (const HWND window : disabled)
        EnableWindow(window, TRUE);
    if (active && IsWindow(active)) {
        SetActiveWindow(active);
        if (focus && IsWindow(focus) && GetAncestor(focus, GA_ROOT) == active)
            SetFocus(focus);
    }
}
