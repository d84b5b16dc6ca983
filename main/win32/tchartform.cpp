#include "tchartform.h"

#include <windowsx.h>
#include <commctrl.h>
#include <commdlg.h>
#include <knownfolders.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include <gdiplus.h>

#include "commands.h"
#include "main/chart/appearance.h"
#include "main/chart/placement.h"
#include "main/chart/roundticks.h"
#include "main/chart/titleline.h"
#include "samples/samplescsv.h"
#include "widetext.h"

namespace {

using namespace Gdiplus;

constexpr wchar_t kClassName[] = L"TChartForm";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr int kTickLength = 4;

void StartGdiplus()
{
    // Once for the process, at the first chart: a start that never opens it
    // does not load the library.
    static const ULONG_PTR token = [] {
        GdiplusStartupInput input;
        ULONG_PTR started = 0;
        GdiplusStartup(&started, &input, nullptr);
        return started;
    }();
    (void)token;
}

Color Colour(const TColour& colour)
{
    return Color(255, BYTE(colour.Red), BYTE(colour.Green), BYTE(colour.Blue));
}

TRect AsRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TSize Grown(TSize size, const RECT& frame)
{
    return {size.Width + frame.right - frame.left, size.Height + frame.bottom - frame.top};
}

// The frame of the chart's style around a client area of nothing.
RECT Frame()
{
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    return frame;
}

// Whether face, TrueType as the drawing needs, has a glyph for every character
// of text.
bool HasGlyphs(const wchar_t* face, std::wstring_view text)
{
    const HDC screen = GetDC(nullptr);
    LOGFONTW description{};
    description.lfHeight = -12;
    description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    wcsncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    const HFONT font = CreateFontIndirectW(&description);
    const HGDIOBJ old = SelectObject(screen, font);
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, chosen);
    std::vector<WORD> glyphs(text.size());
    const bool all = _wcsicmp(chosen, face) == 0
                     && GetGlyphIndicesW(screen, text.data(), int(text.size()), glyphs.data(),
                                         GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR
                     && std::find(glyphs.begin(), glyphs.end(), WORD(0xFFFF)) == glyphs.end();
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return all;
}

// The system's message font, when it can write θ for the d axis; else the
// first of the common faces that can. Wine's own message font has no Greek.
std::wstring ChartFace(const wchar_t* messageFace)
{
    static const std::wstring face = [messageFace] {
        const std::wstring text = WideText(kDAxisTitle);
        for (const wchar_t* candidate : {messageFace, L"Segoe UI", L"Arial", L"DejaVu Sans", L"Liberation Sans"})
            if (HasGlyphs(candidate, text))
                return std::wstring(candidate);
        return std::wstring(messageFace);
    }();
    return face;
}

// The chart's texts, sized as the system's message font for the screen's dpi.
std::unique_ptr<Font> ChartFont(double scale)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const REAL pixels = REAL(std::abs(metrics.lfMessageFont.lfHeight) * scale);
    const FontFamily family(ChartFace(metrics.lfMessageFont.lfFaceName).c_str());
    return std::make_unique<Font>(family.IsAvailable() ? &family : FontFamily::GenericSansSerif(), pixels,
                                  FontStyleRegular, UnitPixel);
}

RectF Measured(Graphics& graphics, const std::wstring& text, const Font& font)
{
    RectF box;
    graphics.MeasureString(text.c_str(), INT(text.size()), &font, PointF(0, 0), &box);
    return box;
}

// Text centred on x, its top at y.
void DrawCentred(Graphics& graphics, const std::wstring& text, const Font& font, const Brush& brush, REAL x, REAL y)
{
    const RectF box = Measured(graphics, text, font);
    graphics.DrawString(text.c_str(), INT(text.size()), &font, PointF(x - box.Width / 2, y), &brush);
}

CLSID PngEncoder()
{
    UINT count = 0, size = 0;
    GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* const codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
        if (std::wstring_view(codecs[i].MimeType) == L"image/png")
            return codecs[i].Clsid;
    return CLSID{};
}

std::wstring SystemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    LocalFree(text);
    while (!message.empty() && std::iswspace(message.back()))
        message.pop_back();
    return message.empty() ? L"0x" + std::to_wstring(error) : message;
}

template <class TTick>
std::vector<TTick> Ticks(double low, double high, int most)
{
    std::vector<TTick> ticks;
    for (const TAxisTick& tick : AxisTicks(low, high, most))
        ticks.push_back({tick.Value, WideText(tick.Label)});
    return ticks;
}

} // namespace

TChartForm::TChartForm(HWND owner, HWND report, std::wstring title, std::function<void()> showFailure)
    : Owner(owner)
    , Report(report)
    , Title(std::move(title))
    , ShowFailure(std::move(showFailure))
    , Keys(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CHART_KEYS)))
{
    StartGdiplus();
    TextFont = ChartFont(1);
    LargeFont = ChartFont(kNoSamplesScale);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM windowClass = [instance] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.style = CS_HREDRAW | CS_VREDRAW;
        description.lpfnWndProc = WindowProc<TChartForm>;
        description.hInstance = instance;
        description.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        description.hCursor = LoadCursorW(nullptr, IDC_CROSS);
        description.lpszClassName = kClassName;
        return RegisterClassExW(&description);
    }();
    (void)windowClass;

    const TSize outer = Grown(kChartSize, Frame());
    // No owner: an owned window stays above its owner, and the chart would
    // hide Form1 whenever they overlap.
    CreateWindowExW(0, kClassName, WideText(kChartCaption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    outer.Width, outer.Height, nullptr, nullptr, instance, this);

    Tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                          0, Handle, nullptr, instance, nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = Handle;
    tool.uId = reinterpret_cast<UINT_PTR>(Handle);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(Tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SetView(Whole);
}

TChartForm::~TChartForm()
{
    if (Handle)
        DestroyWindow(Handle);
    if (Drawn)
        DeleteObject(Drawn);
}

void TChartForm::ShowSweep(TSweep sweep, std::string_view start, std::string_view end)
{
    Shown = std::move(sweep);
    TitleText = WideText(TitleLine(start, end, Shown.Samples.size()));
    Walker = TKeyWalk(Shown.Kept);
    Whole = WholeRange(Shown.Samples);
    SendMessageW(Tip, TTM_TRACKACTIVATE, FALSE, 0);
    SetView(Whole);
}

void TChartForm::Place()
{
    // The frame of the chart's own style, resizable, at the screen's dpi.
    const RECT frame = Frame();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Owner, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT owner;
    GetWindowRect(Owner, &owner);
    const TRect placed =
        ChartFrame(AsRect(monitor.rcWork), AsRect(owner), Grown(kChartSize, frame), Grown(kLeastChartSize, frame));
    SetWindowPos(Handle, nullptr, placed.Left, placed.Top, placed.Width, placed.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TChartForm::Open()
{
    if (!Placed)
        Place();
    Placed = true;
    ShowWindow(Handle, IsIconic(Handle) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle);
    SetFocus(Handle);
}

bool TChartForm::HandleKeyboard(MSG& message)
{
    return message.hwnd == Handle && TranslateAcceleratorW(Handle, Keys, &message);
}

void TChartForm::SetView(const TView& view)
{
    View = view;
    Arrange();
    Stale = true;
    InvalidateRect(Handle, nullptr, FALSE);
}

// The plot area is what the texts around it leave: the title line and the
// legend above, the d labels and title to the left, the angle labels and title
// below.
void TChartForm::Arrange()
{
    AngleTicks = Ticks<TTick>(View.Left, View.Right, kMostAngleTicks);
    std::vector<TTick> dTicks = Ticks<TTick>(View.Bottom, View.Top, kMostDTicks);
    // Measuring takes the font and a device context: only for new labels, not
    // at every press of the same range.
    const auto label = [](const TTick& tick) { return tick.Label; };
    if (Line == 0 || !std::ranges::equal(dTicks, DTicks, {}, label, label)) {
        const HDC dc = GetDC(Handle);
        {
            Graphics graphics(dc);
            const Font* const font = TextFont.get();
            LabelWidth = 0;
            for (const TTick& tick : dTicks)
                LabelWidth = std::max(LabelWidth, int(std::ceil(Measured(graphics, tick.Label, *font).Width)));
            Line = int(std::ceil(font->GetHeight(&graphics)));
        }
        ReleaseDC(Handle, dc);
    }
    DTicks = std::move(dTicks);
    RECT client;
    GetClientRect(Handle, &client);
    const int margin = Line / 2;
    Plot.left = margin + Line + margin + LabelWidth + kTickLength;
    Plot.top = margin + 2 * Line + 2 * margin;
    Plot.right = std::max<LONG>(Plot.left + 1, client.right - 2 * Line);
    Plot.bottom = std::max<LONG>(Plot.top + 1, client.bottom - (margin + 2 * Line + margin / 2 + kTickLength));
}

TPixel TChartForm::PixelOf(const TSample& sample) const
{
    return {Plot.left + (sample.Angle - View.Left) / View.Width() * double(Plot.right - Plot.left),
            Plot.bottom - (sample.D - View.Bottom) / View.Height() * double(Plot.bottom - Plot.top)};
}

TChartPoint TChartForm::ValueAt(POINT at) const
{
    return {View.Left + (at.x - Plot.left) * View.Width() / double(Plot.right - Plot.left),
            View.Bottom + (Plot.bottom - at.y) * View.Height() / double(Plot.bottom - Plot.top)};
}

bool TChartForm::InPlot(POINT at) const
{
    return PtInRect(&Plot, at);
}

HBITMAP TChartForm::Image()
{
    if (Stale)
        Render();
    return Drawn;
}

void TChartForm::Render()
{
    RECT client;
    GetClientRect(Handle, &client);
    const int width = std::max<LONG>(1, client.right), height = std::max<LONG>(1, client.bottom);
    BITMAP held{};
    if (!Drawn || !GetObjectW(Drawn, sizeof held, &held) || held.bmWidth != width || held.bmHeight != height) {
        if (Drawn)
            DeleteObject(Drawn);
        const HDC screen = GetDC(nullptr);
        Drawn = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
    }
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, Drawn);
    {
        Graphics graphics(dc);
        graphics.Clear(Color(255, 255, 255, 255));
        graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
        const double scale = GetDeviceCaps(dc, LOGPIXELSY) / 96.0;
        const Font* const font = TextFont.get();
        const REAL line = font->GetHeight(&graphics);
        const REAL margin = std::ceil(line) / 2;
        const SolidBrush text(Color(255, 0, 0, 0));
        const Pen axis(Color(255, 0, 0, 0), 1);
        const SolidBrush marker(Colour(kMarkerColour));
        const Pen ring(Colour(kRingColour), REAL(kRingWidth * scale));
        const REAL markerSize = REAL(kMarkerSize * scale), largestSize = REAL(kLargestMarkerSize * scale);
        const auto dot = [&](PointF at, REAL size, bool ringed) {
            graphics.SetSmoothingMode(SmoothingModeAntiAlias);
            graphics.FillEllipse(&marker, at.X - size / 2, at.Y - size / 2, size, size);
            if (ringed)
                graphics.DrawEllipse(&ring, at.X - size / 2, at.Y - size / 2, size, size);
        };
        const Pen linePen(Colour(kLineColour), REAL(kLineWidth));

        DrawCentred(graphics, TitleText, *font, text, REAL(width) / 2, margin);

        // The legend, one row centred under the title line.
        const std::wstring names[] = {WideText(kLineName), WideText(kMarkersName), WideText(kLargestName)};
        const REAL symbol = 2 * line, gap = line;
        REAL total = 0;
        for (const std::wstring& name : names)
            total += symbol + margin + Measured(graphics, name, *font).Width + gap;
        REAL x = (REAL(width) - total + gap) / 2;
        const REAL legendTop = margin + line + margin, middle = legendTop + line / 2;
        for (int i = 0; i < 3; ++i) {
            if (i == 0) {
                graphics.SetSmoothingMode(SmoothingModeNone);
                graphics.DrawLine(&linePen, x, middle, x + symbol, middle);
            } else {
                dot(PointF(x + symbol / 2, middle), i == 1 ? markerSize : largestSize, i == 2);
            }
            graphics.DrawString(names[i].c_str(), INT(names[i].size()), font, PointF(x + symbol + margin, legendTop),
                                &text);
            x += symbol + margin + Measured(graphics, names[i], *font).Width + gap;
        }

        // The axes, their ticks, labels and titles.
        graphics.SetSmoothingMode(SmoothingModeNone);
        const REAL left = REAL(Plot.left), right = REAL(Plot.right), top = REAL(Plot.top), bottom = REAL(Plot.bottom);
        graphics.DrawRectangle(&axis, left, top, right - left, bottom - top);
        for (const TTick& tick : AngleTicks) {
            const REAL at = REAL(PixelOf({tick.Value, 0, View.Bottom}).X);
            graphics.DrawLine(&axis, at, bottom, at, bottom + kTickLength);
            DrawCentred(graphics, tick.Label, *font, text, at, bottom + kTickLength);
        }
        for (const TTick& tick : DTicks) {
            const REAL at = REAL(PixelOf({View.Left, 0, tick.Value}).Y);
            graphics.DrawLine(&axis, left - kTickLength, at, left, at);
            const RectF box = Measured(graphics, tick.Label, *font);
            graphics.DrawString(tick.Label.c_str(), INT(tick.Label.size()), font,
                                PointF(left - kTickLength - box.Width, at - box.Height / 2), &text);
        }
        DrawCentred(graphics, WideText(kAngleAxisTitle), *font, text, (left + right) / 2,
                    bottom + kTickLength + line + margin / 2);
        graphics.TranslateTransform(margin, (top + bottom) / 2);
        graphics.RotateTransform(-90);
        DrawCentred(graphics, WideText(kDAxisTitle), *font, text, 0, 0);
        graphics.ResetTransform();

        // The plot: the zero line, every sample, then the kept ones, each over
        // those of smaller deviations, the largest last and ringed.
        graphics.SetClip(RectF(left, top, right - left, bottom - top));
        if (Shown.Samples.empty()) {
            const Font* const large = LargeFont.get();
            const SolidBrush grey(Colour(kNoSamplesColour));
            const std::wstring none = WideText(kNoSamples);
            DrawCentred(graphics, none, *large, grey, (left + right) / 2,
                        (top + bottom) / 2 - Measured(graphics, none, *large).Height / 2);
        } else {
            const REAL zero = REAL(PixelOf({View.Left, 0, 0}).Y);
            const Pen zeroPen(Colour(kZeroLineColour), REAL(kLineWidth));
            graphics.DrawLine(&zeroPen, REAL(PixelOf({Whole.Left, 0, 0}).X), zero, REAL(PixelOf({Whole.Right, 0, 0}).X),
                              zero);
            // Only the samples in view, and one either side to reach its edges.
            const auto byAngle = [](const TSample& sample, double angle) { return sample.Angle < angle; };
            auto first = std::lower_bound(Shown.Samples.begin(), Shown.Samples.end(), View.Left, byAngle);
            auto last = std::lower_bound(first, Shown.Samples.end(), View.Right, byAngle);
            first -= first != Shown.Samples.begin();
            last += last != Shown.Samples.end();
            // Many samples share a column of pixels: its first, lowest, highest
            // and last draw the same line as all of them, in a fraction of the
            // time.
            std::vector<PointF> points;
            points.reserve(4 * std::size_t(Plot.right - Plot.left + 2));
            std::vector<PointF> column;
            const auto flush = [&points, &column] {
                if (column.empty())
                    return;
                const auto [low, high] = std::minmax_element(column.begin(), column.end(),
                                                             [](PointF a, PointF b) { return a.Y < b.Y; });
                points.push_back(column.front());
                points.push_back(*std::min(low, high));
                points.push_back(*std::max(low, high));
                points.push_back(column.back());
                column.clear();
            };
            for (auto sample = first; sample != last; ++sample) {
                const TPixel pixel = PixelOf(*sample);
                const PointF point(REAL(pixel.X), REAL(pixel.Y));
                if (!column.empty() && std::floor(column.front().X) != std::floor(point.X))
                    flush();
                column.push_back(point);
            }
            flush();
            graphics.SetSmoothingMode(SmoothingModeAntiAlias);
            if (points.size() >= 2)
                graphics.DrawLines(&linePen, points.data(), INT(points.size()));
            for (std::size_t i = Shown.Kept.size(); i-- > 0;) {
                const TPixel pixel = PixelOf(Shown.Kept[i]);
                dot(PointF(REAL(pixel.X), REAL(pixel.Y)), i == 0 ? largestSize : markerSize, i == 0);
            }
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    Stale = false;
}

void TChartForm::ShowTip(const TSample& sample, POINT at)
{
    TipText = WideText(ReportLine(sample));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle;
    tool.uId = reinterpret_cast<UINT_PTR>(Handle);
    tool.lpszText = TipText.data();
    SendMessageW(Tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ClientToScreen(Handle, &at);
    // Below and right of the pointer, which would hide its start.
    const int offset = GetSystemMetrics(SM_CYCURSOR) / 2;
    SendMessageW(Tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x + offset, at.y + offset));
    SendMessageW(Tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void TChartForm::Hover(POINT at)
{
    const TSample* sample =
        InPlot(at) ? PointedSample(Shown, {double(at.x), double(at.y)}, ValueAt(at).Angle,
                                   [this](const TSample& kept) { return PixelOf(kept); })
                   : nullptr;
    if (sample)
        ShowTip(*sample, at);
    else
        SendMessageW(Tip, TTM_TRACKACTIVATE, FALSE, 0);
}

void TChartForm::Choose(int kept)
{
    Walker.Choose(kept);
    const TSample& sample = Shown.Kept[std::size_t(kept)];
    SetView(Showing(View, {sample.Angle, sample.D}, Whole));
    const TPixel pixel = PixelOf(sample);
    ShowTip(sample, POINT{LONG(std::lround(pixel.X)), LONG(std::lround(pixel.Y))});

    // Its line selected in Memo1, in the middle of the lines shown.
    const int line = ReportLineNumber(kept);
    const LRESULT start = SendMessageW(Report, EM_LINEINDEX, WPARAM(line), 0);
    const LRESULT length = SendMessageW(Report, EM_LINELENGTH, WPARAM(start), 0);
    SendMessageW(Report, EM_SETSEL, WPARAM(start), start + length);
    RECT area;
    SendMessageW(Report, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const HDC dc = GetDC(Report);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(Report, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Report, dc);
    const int shown = (area.bottom - area.top) / std::max<LONG>(1, metrics.tmHeight);
    const auto first = int(SendMessageW(Report, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageW(Report, EM_LINESCROLL, 0, line - shown / 2 - first);
}

void TChartForm::Walk(TWalkKey key)
{
    if (const int kept = Walker.Walk(key); kept >= 0)
        Choose(kept);
}

void TChartForm::ZoomAtChosen(double notches)
{
    SetView(ZoomedAround(View, notches, KeyZoomCentre(View, Shown.Kept, Walker.Chosen()), Whole));
}

bool TChartForm::Key(WPARAM key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const auto pan = [this](TPanDirection direction) { SetView(PanStep(View, direction, Whole)); };
    switch (key) {
    case VK_LEFT:
        shift ? pan(TPanDirection::Left) : Walk(TWalkKey::Left);
        return true;
    case VK_RIGHT:
        shift ? pan(TPanDirection::Right) : Walk(TWalkKey::Right);
        return true;
    case VK_UP:
    case VK_DOWN:
        if (shift)
            pan(key == VK_UP ? TPanDirection::Up : TPanDirection::Down);
        return shift;
    case VK_PRIOR:
        Walk(TWalkKey::PageUp);
        return true;
    case VK_NEXT:
        Walk(TWalkKey::PageDown);
        return true;
    case VK_ADD:
    case VK_OEM_PLUS:
        ZoomAtChosen(1);
        return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        ZoomAtChosen(-1);
        return true;
    case VK_HOME:
    case VK_ESCAPE:
        SetView(Whole);
        return true;
    }
    return false;
}

void TChartForm::Command(int command)
{
    switch (command) {
    case CMD_RAISE_FORM1:
        SetForegroundWindow(Owner);
        break;
    case CMD_WHOLE_RANGE:
        SetView(Whole);
        break;
    case CMD_COPY_IMAGE:
        CopyToClipboard();
        break;
    case CMD_SAVE_IMAGE:
        AskAndSave(kSaveImage, FOLDERID_Pictures, &TChartForm::SaveImage);
        break;
    case CMD_SAVE_DATA:
        AskAndSave(kSaveData, FOLDERID_Documents, &TChartForm::SaveData);
        break;
    }
}

void TChartForm::ShowMenu(LPARAM at)
{
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {
        // From the keyboard: at the middle of the plot.
        point = {(Plot.left + Plot.right) / 2, (Plot.top + Plot.bottom) / 2};
        ClientToScreen(Handle, &point);
    }
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CMD_WHOLE_RANGE, (WideText(kWholeRangeEntry) + L"\tHome").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CMD_COPY_IMAGE, (WideText(kCopyImageEntry) + L"\tCtrl+C").c_str());
    AppendMenuW(menu, MF_STRING, CMD_SAVE_IMAGE, (WideText(kSaveImageEntry) + L"\tCtrl+Shift+S").c_str());
    AppendMenuW(menu, MF_STRING, CMD_SAVE_DATA, (WideText(kSaveDataEntry) + L"\tCtrl+S").c_str());
    const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle, nullptr);
    DestroyMenu(menu);
    Command(command);
}

void TChartForm::AskAndSave(const TSaveTexts& texts, const GUID& folder, bool (TChartForm::*save)(const std::wstring&))
{
    std::wstring start = LastFolder;
    if (start.empty()) {
        wchar_t* known = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(folder, 0, nullptr, &known)))
            start = known;
        CoTaskMemFree(known);
    }
    const std::wstring name = WideText(texts.Name), caption = WideText(texts.Caption);
    const std::wstring extension = name.substr(name.find_last_of(L'.') + 1);
    std::wstring filter = WideText(texts.Filter) + L'\0' + L"*." + extension + L'\0';
    std::wstring path = name;
    path.resize(32768);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = DWORD(path.size());
    dialog.lpstrInitialDir = start.c_str();
    dialog.lpstrTitle = caption.c_str();
    // A name without an extension gets the filter's.
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog))
        return;
    path.resize(path.find(L'\0'));
    LastFolder = path.substr(0, dialog.nFileOffset);
    (this->*save)(path);
}

void TChartForm::CopyToClipboard()
{
    if (!OpenClipboard(Handle))
        return;
    EmptyClipboard();
    // The clipboard takes a bitmap of its own: the chart's changes with the view.
    SetClipboardData(CF_BITMAP, CopyImage(Image(), IMAGE_BITMAP, 0, 0, 0));
    CloseClipboard();
}

bool TChartForm::SaveImage(const std::wstring& path)
{
    Bitmap bitmap(Image(), nullptr);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    const CLSID png = PngEncoder();
    bitmap.Save(stream, &png, nullptr);
    ULARGE_INTEGER size{};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &size);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    const std::string bytes(static_cast<const char*>(GlobalLock(memory)), std::size_t(size.QuadPart));
    GlobalUnlock(memory);
    stream->Release();
    return WriteBytes(path, bytes);
}

bool TChartForm::SaveData(const std::wstring& path)
{
    return WriteBytes(path, SamplesCsv(Shown.Samples));
}

bool TChartForm::WriteBytes(const std::wstring& path, const std::string& bytes)
{
    // The temporary file in the target's folder, so that the rename stays on
    // its volume and cannot half happen.
    const std::size_t slash = path.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    wchar_t temporary[MAX_PATH];
    DWORD error = ERROR_SUCCESS;
    if (GetTempFileNameW(folder.c_str(), L"ft", 0, temporary)) {
        const HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                        nullptr);
        DWORD written = 0;
        bool done = file != INVALID_HANDLE_VALUE
                    && ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr)
                    && written == bytes.size() && FlushFileBuffers(file);
        if (!done)
            error = GetLastError();
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (done && !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
            done = false;
        }
        if (done)
            return true;
        DeleteFileW(temporary);
    } else {
        error = GetLastError();
    }
    const std::wstring text = WideText(FailedSaveText(Utf8Text(path), Utf8Text(SystemMessage(error))));
    MessageBoxW(Handle, text.c_str(), Title.c_str(), MB_OK | MB_ICONSTOP);
    return false;
}

LRESULT TChartForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CLOSE:
        ShowWindow(Handle, SW_HIDE);
        return 0;
    case WM_GETMINMAXINFO: {
        const TSize least = Grown(kLeastChartSize, Frame());
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.Width, least.Height};
        return 0;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            SetView(View);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(Handle, &paint);
        const HDC drawn = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(drawn, Image());
        RECT client;
        GetClientRect(Handle, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom, drawn, 0, 0, SRCCOPY);
        SelectObject(drawn, old);
        DeleteDC(drawn);
        if (Drag == TDrag::Band) {
            RECT band{std::min(DragOrigin.x, DragAt.x), std::min(DragOrigin.y, DragAt.y),
                      std::max(DragOrigin.x, DragAt.x), std::max(DragOrigin.y, DragAt.y)};
            IntersectRect(&band, &band, &Plot);
            DrawFocusRect(dc, &band);
        }
        EndPaint(Handle, &paint);
        return 0;
    }
    case WM_COMMAND:
        Command(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        if (Key(wParam))
            return 0;
        break;
    case WM_CONTEXTMENU:
        ShowMenu(lParam);
        return 0;
    case WM_MOUSEWHEEL: {
        POINT pointer = at;
        ScreenToClient(Handle, &pointer);
        if (InPlot(pointer))
            SetView(ZoomedAround(View, GET_WHEEL_DELTA_WPARAM(wParam) / double(WHEEL_DELTA), ValueAt(pointer), Whole));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetFocus(Handle);
        if (!InPlot(at))
            return 0;
        DragOrigin = DragAt = at;
        Drag = message == WM_MBUTTONDOWN || (wParam & MK_SHIFT) ? TDrag::Pan : TDrag::Band;
        PanStart = View;
        SetCapture(Handle);
        return 0;
    case WM_MOUSEMOVE:
        if (Drag == TDrag::Band) {
            DragAt = at;
            InvalidateRect(Handle, nullptr, FALSE);
        } else if (Drag == TDrag::Pan) {
            SetView(DragPan(PanStart, at.x - DragOrigin.x, at.y - DragOrigin.y, Plot.right - Plot.left,
                            Plot.bottom - Plot.top, Whole));
        } else {
            TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, Handle, 0};
            TrackMouseEvent(&leave);
            Hover(at);
        }
        return 0;
    case WM_MOUSELEAVE:
        SendMessageW(Tip, TTM_TRACKACTIVATE, FALSE, 0);
        return 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP: {
        const TDrag ended = std::exchange(Drag, TDrag::None);
        ReleaseCapture();
        if (ended != TDrag::Band)
            return 0;
        InvalidateRect(Handle, nullptr, FALSE);
        // A click that slips a pixel is still a click, not a zoom.
        if (std::min(std::abs(at.x - DragOrigin.x), std::abs(at.y - DragOrigin.y)) >= GetSystemMetrics(SM_CXDRAG))
            SetView(RectangleZoom(ValueAt(DragOrigin), ValueAt(at), Whole));
        else if (const int kept = KeptAt(Shown.Kept, {double(at.x), double(at.y)},
                                         [this](const TSample& sample) { return PixelOf(sample); });
                 kept >= 0)
            Choose(kept);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (Drag != TDrag::None) {
            Drag = TDrag::None;
            InvalidateRect(Handle, nullptr, FALSE);
        }
        return 0;
    }
    return DefWindowProcW(Handle, message, wParam, lParam);
}
