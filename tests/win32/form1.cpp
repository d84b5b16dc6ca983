#include "form1.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "widetext.h"

std::vector<TBox> TForm1Test::Boxes;

TApplication& TForm1Test::Application()
{
    static TApplication application;
    return application;
}

void TForm1Test::SetUp()
{
    Boxes.clear();
    Hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    Form = std::make_unique<TForm1>(Application());
    Form->Show(TShowState::Normal);
    Pump();
}

void TForm1Test::TearDown()
{
    Form.reset();
    Pump();
    UnhookWindowsHookEx(Hook);
}

void TForm1Test::Pump()
{
    // Closing Form1 posts the quit request, which would end the next box at once.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT && Form)
            TApplication::ProcessMessage(*Form, message);
}

void TForm1Test::Key(WORD key, std::initializer_list<WORD> modifiers)
{
    BYTE state[256] = {};
    bool alt = false;
    for (const WORD modifier : modifiers) {
        state[modifier] = 0x80;
        alt = alt || modifier == VK_MENU;
    }
    SetKeyboardState(state);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | scan | (alt ? 1 << 29 : 0));
    Pump();
    PostMessageW(GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, key, 1 | scan | (alt ? 1 << 29 : 0) | 3u << 30);
    Pump();
    const BYTE released[256] = {};
    SetKeyboardState(const_cast<BYTE*>(released));
}

std::wstring DefaultReport()
{
    // Its first two lines are the fields'.
    std::ifstream file(DEFAULT_REPORT);
    std::string line, report;
    for (int i = 0; std::getline(file, line); ++i)
        if (i >= 2)
            report += line + "\r\n";
    return WideText(report);
}

namespace {

struct TBoxReading {
    TBox* Box;
    HICON Stop;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM lParam)
{
    auto* const reading = reinterpret_cast<TBoxReading*>(lParam);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    // The box itself is not visible yet when it is activated.
    const bool visible = GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE;
    if (std::wstring_view(className) == L"Button" && visible) {
        reading->Box->Buttons.push_back(GetDlgCtrlID(child));
    } else if (std::wstring_view(className) == L"Static" && visible) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            reading->Box->StopIcon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) == reading->Stop;
        else if (GetWindowTextLengthW(child) > 0)
            reading->Box->Text = WindowText(child);
    }
    return TRUE;
}

BOOL CALLBACK FindEnabled(HWND window, LPARAM lParam)
{
    auto* const box = reinterpret_cast<std::pair<HWND, bool>*>(lParam);
    if (window != box->first && IsWindowVisible(window) && IsWindowEnabled(window))
        box->second = true;
    return TRUE;
}

} // namespace

LRESULT CALLBACK TForm1Test::BoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[32] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, className, 32) && std::wstring_view(className) == L"#32770") {
        TBox box;
        box.Caption = WindowText(window);
        const HWND owner = GetWindow(window, GW_OWNER);
        box.OwnerEnabled = owner && IsWindowEnabled(owner);
        std::pair<HWND, bool> others{window, false};
        EnumThreadWindows(GetCurrentThreadId(), FindEnabled, reinterpret_cast<LPARAM>(&others));
        box.OthersEnabled = others.second;
        TBoxReading reading{&box, LoadIconW(nullptr, IDI_HAND)};
        EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&reading));
        Boxes.push_back(box);
        // Boxes close asynchronously: the answer waits in the box's own loop.
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
