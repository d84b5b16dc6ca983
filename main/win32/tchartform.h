#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "main/chart/keywalk.h"
#include "main/chart/nearest.h"
#include "main/chart/texts.h"
#include "main/chart/view.h"
#include "scan/scan.h"
#include "windowproc.h"

namespace Gdiplus {
class Font;
}

// The chart of the last successful run: d = θ − r(θ) through every sample, the
// samples of the report as markers, and the zero line, in a top-level window
// of its own beside Form1. Not owned by Form1, which would keep it below the
// chart, but destroyed with it.
class TChartForm {
public:
    // owner is Form1's window, report its Memo1, whose lines the markers stand
    // for; title is the caption of the boxes; showFailure is the failure
    // display, for a failure inside the chart's own messages.
    TChartForm(HWND owner, HWND report, std::wstring title, std::function<void()> showFailure);
    ~TChartForm();
    TChartForm(const TChartForm&) = delete;
    TChartForm& operator=(const TChartForm&) = delete;

    // The samples of the run whose report Memo1 now holds, over the whole
    // range; start and end are the range as the fields show it. Drawn when
    // next shown.
    void ShowSweep(TSweep sweep, std::string_view start, std::string_view end);

    // Placed beside Form1 when first opened; brought back when minimised.
    void Open();

    // The chart's keys, before translation: true when message was handled.
    bool HandleKeyboard(MSG& message);

    // Write through a temporary file that takes the name only when complete; a
    // failure is shown in a box and leaves nothing under path.
    bool SaveImage(const std::wstring& path);
    bool SaveData(const std::wstring& path);

    HWND Handle = nullptr;

private:
    friend LRESULT CALLBACK WindowProc<TChartForm>(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Place();
    void SetView(const TView& view);
    void Arrange();
    void Render();
    HBITMAP Image();
    TChartPoint ValueAt(POINT at) const;
    TPixel PixelOf(const TSample& sample) const;
    bool InPlot(POINT at) const;
    void Hover(POINT at);
    void ShowTip(const TSample& sample, POINT at);
    void Choose(int kept);
    void Walk(TWalkKey key);
    void ZoomAtChosen(double notches);
    bool Key(WPARAM key);
    void Command(int command);
    void ShowMenu(LPARAM at);
    void AskAndSave(const TSaveTexts& texts, const GUID& folder, bool (TChartForm::*save)(const std::wstring&));
    void CopyToClipboard();
    bool WriteBytes(const std::wstring& path, const std::string& bytes);

    const HWND Owner;
    const HWND Report;
    const std::wstring Title;
    const std::function<void()> ShowFailure;
    const HACCEL Keys;
    HWND Tip = nullptr;
    // The texts', and the larger "Нет отсчётов".
    std::unique_ptr<Gdiplus::Font> TextFont, LargeFont;
    std::wstring TipText;

    TSweep Shown;
    std::wstring TitleText;  // the range and the count of the run shown
    TKeyWalk Walker;
    TView Whole = WholeRange({});
    TView View = Whole;
    bool Placed = false;  // once placed, the chart stays where the user puts it

    // Where the plot area lies and what the axes say, for the view and size.
    struct TTick {
        double Value;
        std::wstring Label;
    };
    RECT Plot{};
    std::vector<TTick> AngleTicks, DTicks;
    int LabelWidth = 0;
    int Line = 0;  // the height of a line of text; 0 before the first measure

    // The chart as last drawn, redrawn only when it changes: a tooltip moving
    // over it, or a dragged rectangle, repaints from here.
    HBITMAP Drawn = nullptr;
    bool Stale = true;

    enum class TDrag { None, Band, Pan };
    TDrag Drag = TDrag::None;
    POINT DragOrigin{}, DragAt{};
    TView PanStart = Whole;
    std::wstring LastFolder;  // of the last save since the start
};
