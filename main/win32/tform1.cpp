#include "tform1.h"

#include <commctrl.h>

#include <string>
#include <string_view>
#include <utility>

#include "application.h"
#include "extended/fpu.h"
#include "main/form/button1click.h"
#include "main/form/centredcorner.h"
#include "main/form/failuretext.h"
#include "main/form/form.h"
#include "widetext.h"

namespace {

constexpr wchar_t kClassName[] = L"TForm1";
// A fixed border and the window menu: no sizing, no minimise or maximise box,
// so the window menu greys Size, Minimise and Maximise.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Clear of IDOK and IDCANCEL, which the dialog keys send as commands.
constexpr int kFirstControlId = 100;

// The controls by TControlId.
constexpr HWND TForm1::*kHandles[] = {&TForm1::Label1, &TForm1::Edit1, &TForm1::Label2,
                                      &TForm1::Edit2,  &TForm1::Button1, &TForm1::Memo1};

// Dialog navigation follows the order the children are created in, and a
// screen reader meets them in that order too: both are the declaration order.
constexpr bool TabOrderFollowsDeclaration()
{
    int next = 0;
    for (const TControlSpec& spec : kControls)
        if (spec.TabOrder >= 0 && spec.TabOrder != next++)
            return false;
    return true;
}
static_assert(TabOrderFollowsDeclaration());

struct TChildClass {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

TChildClass ChildClass(TControlKind kind)
{
    switch (kind) {
    case TControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case TControlKind::Edit:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TControlKind::Button:
        return {L"BUTTON", BS_PUSHBUTTON, 0};
    case TControlKind::Memo:
        break;
    }
    // No horizontal scrolling: long lines wrap.
    return {L"EDIT", ES_LEFT | ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE};
}

// The form's text operations on the child windows; a multi-line edit holds
// its lines joined with CR LF, as the report's are.
class TWin32Texts final : public TFormTexts {
public:
    explicit TWin32Texts(const TForm1& form)
        : Form(form)
    {
    }

    std::string GetText(TControlId control) const override { return Utf8Text(WindowText(Handle(control))); }

    void ReplaceText(TControlId control, const std::string& text) override
    {
        SetWindowTextW(Handle(control), WideText(text).c_str());
    }

private:
    HWND Handle(TControlId control) const { return Form.*kHandles[static_cast<int>(control)]; }

    const TForm1& Form;
};

// A read-only multi-line edit asks for every key and for select-all on entry:
// Tab would stick in Memo1, Escape close the window, and Tab into it select
// the whole report.
LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        return result & ~(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
    return result;
}

SIZE TextExtent(HDC dc, std::wstring_view text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

} // namespace

TForm1::TForm1(const TApplication& application)
    : Application(application)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM windowClass = [instance] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = WindowProc;
        description.hInstance = instance;
        description.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = kClassName;
        return RegisterClassExW(&description);
    }();
    (void)windowClass;

    // RUSSIAN_CHARSET, not the default: the default character set of a
    // Western system has no Cyrillic glyphs for the Russian texts.
    const HDC screen = GetDC(nullptr);
    Font = CreateFontW(-FontPixels(GetDeviceCaps(screen, LOGPIXELSY)), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, WideText(kFontName).c_str());
    const HGDIOBJ oldFont = SelectObject(screen, Font);
    const int textHeight = TextExtent(screen, L"0").cy;
    const auto scaled = [textHeight](int design) { return ScaledToFont(design, textHeight); };

    RECT outer{0, 0, scaled(kClientWidth), scaled(kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    const TPoint corner = CentredCorner(TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                        outerWidth, outerHeight);
    CreateWindowExW(0, kClassName, WideText(kCaption).c_str(), kStyle, corner.X, corner.Y, outerWidth, outerHeight,
                    nullptr, nullptr, instance, this);

    for (const TControlSpec& spec : kControls) {
        const TChildClass child = ChildClass(spec.Kind);
        const std::wstring text = WideText(spec.Text);
        // Labels take the size of their text, so they neither wrap nor lose a letter.
        const SIZE size = spec.Kind == TControlKind::Label ? TextExtent(screen, text)
                                                           : SIZE{scaled(spec.Width), scaled(spec.Height)};
        const HWND control = CreateWindowExW(
            child.ExStyle, child.ClassName, text.c_str(),
            WS_CHILD | WS_VISIBLE | child.Style | (spec.TabOrder >= 0 ? WS_TABSTOP : 0), scaled(spec.Left),
            scaled(spec.Top), size.cx, size.cy, Handle,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(spec.Id))), instance,
            nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        // The default limit is 32,767 characters (30,000 under Wine).
        if (spec.Kind == TControlKind::Edit)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
        this->*kHandles[static_cast<int>(spec.Id)] = control;
    }
    SetWindowSubclass(Memo1, MemoProc, 0, 0);

    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
}

TForm1::~TForm1()
{
    if (Handle)
        DestroyWindow(Handle);
    DeleteObject(Font);
}

void TForm1::Show(TShowState state)
{
    switch (state) {
    case TShowState::Maximised:
        ShowWindow(Handle, SW_SHOWMAXIMIZED);
        break;
    case TShowState::MinimisedInactive:
        ShowWindow(Handle, SW_SHOWMINNOACTIVE);
        break;
    case TShowState::Normal:
        // Not ShowWindow: its first call in a process takes the launcher's
        // show request in place of its argument, and would minimise or hide
        // the window for requests shown normally. The two calls above ask for
        // the very value it would take instead.
        SetWindowPos(Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        break;
    }
    UpdateWindow(Handle);
}

bool TForm1::HandleKeyboard(MSG& message)
{
    // IsDialogMessageW would click a focused button on Shift+Enter and
    // Ctrl+Enter too, and send IDOK for a button focused by SetFocus.
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.wParam == VK_RETURN
        && IsChild(Handle, message.hwnd)) {
        const bool modified = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
        if (message.message == WM_KEYDOWN && message.hwnd == Button1 && !modified)
            SendMessageW(Button1, BM_CLICK, 0, 0);
        return true;
    }
    return IsDialogMessageW(Handle, &message);
}

void TForm1::Button1Click()
{
    TWin32Texts texts(*this);
    RunButton1Click(texts);
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
    const std::wstring text = WideText(FailureText());
    ReleaseCapture();
    // A failed reading may leave flags or a changed mode behind: the next run
    // has to start from the state the first one had.
    ResetFpu();
    // Disabling Form1 for the box takes the focus away before the
    // deactivation could note it.
    if (const HWND focus = GetFocus(); focus && IsChild(Handle, focus))
        Focused = focus;
    // Owned by Form1, the box disables it while it is up; Form1 is the only
    // top-level window, so the box opens on its monitor.
    MessageBoxW(Handle, text.c_str(), Application.Title.c_str(), MB_OK | MB_ICONSTOP);
}
