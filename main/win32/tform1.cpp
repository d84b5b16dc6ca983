#include "tform1.h"

#include <commctrl.h>

#include <string>
#include <string_view>
#include <utility>

#include "main/form/button1click.h"
#include "main/form/centredcorner.h"
#include "main/form/form.h"
#include "main/form/layout.h"
#include "application.h"
#include "commands.h"
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
    for (const TControlSpec& designed : kControls)
        if (designed.TabOrder >= 0 && designed.TabOrder != next++)
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
    // No horizontal scrolling: long lines wrap. The line the chart chooses
    // stays selected in sight while the chart has the focus.
    return {L"EDIT", ES_LEFT | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | WS_VSCROLL, WS_EX_CLIENTEDGE};
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

SIZE TextExtent(HDC dc, std::wstring_view text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

} // namespace

TForm1::TForm1(const TApplication& application)
    : Application(application)
    , Keys(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(FORM1_KEYS)))
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM windowClass = [instance] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = WindowProc<TForm1>;
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

    const TSize client = ClientSize(textHeight);
    RECT outer{0, 0, client.Width, client.Height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    const TPoint corner = CentredCorner(TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                        outerWidth, outerHeight);
    CreateWindowExW(0, kClassName, WideText(kCaption).c_str(), kStyle, corner.X, corner.Y, outerWidth, outerHeight,
                    nullptr, nullptr, instance, this);

    for (const TControlSpec& designed : kControls) {
        const TChildClass child = ChildClass(designed.Kind);
        const std::wstring text = WideText(designed.Text);
        const SIZE extent = TextExtent(screen, text);
        const TRect rect = ControlRect(designed, textHeight, {extent.cx, extent.cy});
        const HWND control = CreateWindowExW(
            child.ExStyle, child.ClassName, text.c_str(),
            WS_CHILD | WS_VISIBLE | child.Style | (designed.TabOrder >= 0 ? WS_TABSTOP : 0), rect.Left, rect.Top,
            rect.Width, rect.Height, Handle,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(designed.Id))), instance,
            nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        // The default limit is 32,767 characters (30,000 under Wine).
        if (designed.Kind == TControlKind::Edit)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
        this->*kHandles[static_cast<int>(designed.Id)] = control;
    }
    SetWindowSubclass(Memo1, MemoProc, 0, reinterpret_cast<DWORD_PTR>(this));

    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
}

TForm1::~TForm1()
{
    Chart.reset();
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

void TForm1::Button1Click()
{
    TWin32Texts texts(*this);
    TSweep sweep;
    RunButton1Click(texts, Chart ? &sweep : nullptr);
    LastRange = TRangeTexts{texts.GetText(TControlId::Edit1), texts.GetText(TControlId::Edit2)};
    if (Chart)
        Chart->ShowSweep(std::move(sweep), LastRange->Start, LastRange->End);
}

void TForm1::OpenChart()
{
    if (!Chart) {
        Chart = std::make_unique<TChartForm>(Handle, Memo1, Application.Title, [this] { ShowFailure(); });
        // The same range gives the same samples as the run that gave the report.
        if (LastRange) {
            TSweep sweep;
            ScanDeviations(LastRange->Start, LastRange->End, &sweep);
            Chart->ShowSweep(std::move(sweep), LastRange->Start, LastRange->End);
        }
    }
    Chart->Open();
}
