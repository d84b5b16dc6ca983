#pragma once

#include <memory>
#include <optional>

#include <windows.h>

#include "scan/scan.h"
#include "showstate.h"
#include "tchartform.h"
#include "windowproc.h"

class TApplication;

// The main window: two angle fields, the button that runs the scan and the
// report area, as child windows of one fixed-size top-level window.
class TForm1 {
public:
    // Creates the window hidden, laid out for the screen's font and centred
    // on the primary screen.
    explicit TForm1(const TApplication& application);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    void Show(TShowState state);

    // The keyboard rules of the message loop, before translation: true when
    // message was handled and is not to be dispatched.
    bool HandleKeyboard(MSG& message);

    // Normalises the range, writes it back into the fields, scans the range as
    // the fields then show it and puts the report into Memo1, and its samples
    // into the chart. Throws what the scan throws; the window procedure
    // catches it.
    void Button1Click();

    // Ctrl+G and the report's menu: the chart, built when first opened.
    void OpenChart();

    HWND Handle = nullptr;
    HWND Label1 = nullptr;
    HWND Edit1 = nullptr;
    HWND Label2 = nullptr;
    HWND Edit2 = nullptr;
    HWND Button1 = nullptr;
    HWND Memo1 = nullptr;

    // Null until first opened.
    std::unique_ptr<TChartForm> Chart;

private:
    friend LRESULT CALLBACK WindowProc<TForm1>(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowFailure();
    void RestoreFocus();
    void ShowReportMenu(LPARAM at);
    static LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form);

    const TApplication& Application;
    HFONT Font = nullptr;
    const HACCEL Keys;
    // The range of the last successful run, for a chart built after it: a
    // press with the chart never opened keeps no samples.
    std::optional<TRangeTexts> LastRange;
    // The control that had the focus when the window last lost the activation.
    HWND Focused = nullptr;
};
