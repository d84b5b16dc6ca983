// The window's timings under Wine (Google Benchmark has no MinGW build here):
// medians of a press of Button1 with the defaults, from BM_CLICK to the new
// report in Memo1 (and to the same report left alone; and with the chart open,
// to the chart repainted), of the pointer moved over the chart to its tooltip
// changed, and of the start-up of formula-test.exe to its window shown
// against a minimal window with one label and one field, started alternately
// in the same way so both meet the same load.
// Usage: window-bench [PRESSES [STARTS]]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "application.h"
#include "tform1.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Pump(TForm1& form)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        TApplication::ProcessMessage(form, message);
}

// With newReport every press replaces the report (Memo1 is blanked before
// each, untimed); else each gives the report already shown.
double PressSeconds(int presses, bool newReport)
{
    TApplication application;
    TForm1 form(application);
    form.Show(TShowState::Normal);
    Pump(form);
    std::vector<double> times;
    for (int i = 0; i < presses; ++i) {
        if (newReport) {
            SetWindowTextW(form.Memo1, L"\r\n");
            Pump(form);
        }
        const LARGE_INTEGER start = Now();
        SendMessageW(form.Button1, BM_CLICK, 0, 0);
        times.push_back(Seconds(start, Now()));
        Pump(form);
    }
    if (GetWindowTextLengthW(form.Memo1) < 1000)
        std::exit(1);
    return Median(times);
}

// What the open chart adds to a press that gives a new report: presses in two
// windows, one with the chart open (timed to the chart repainted) and one
// without, taken in turn so that both meet the same load; the median of the
// differences of each pair, and of the repaints alone.
void ChartPressCost(int presses)
{
    TApplication application;
    TForm1 closed(application), open(application);
    closed.Show(TShowState::Normal);
    open.Show(TShowState::Normal);
    open.OpenChart();
    Pump(open);
    std::vector<double> differences, repaints;
    for (int i = 0; i < presses; ++i) {
        double seconds[2];
        for (TForm1* form : {&closed, &open}) {
            SetWindowTextW(form->Memo1, L"\r\n");
            Pump(*form);
            const LARGE_INTEGER start = Now();
            SendMessageW(form->Button1, BM_CLICK, 0, 0);
            const LARGE_INTEGER pressed = Now();
            if (form->Chart)
                UpdateWindow(form->Chart->Handle);
            seconds[form == &open] = Seconds(start, Now());
            if (form->Chart)
                repaints.push_back(Seconds(pressed, Now()));
            Pump(*form);
        }
        differences.push_back(seconds[1] - seconds[0]);
    }
    std::printf("press with the defaults, new report, chart open to its repaint minus chart never opened: "
                "median %.2f ms of %d pairs; the repaint alone %.2f ms\n",
                1e3 * Median(differences), presses, 1e3 * Median(repaints));
}

// The pointer moved across the chart of the defaults, each move to another
// sample: from the move to the tooltip showing that sample's line.
double HoverSeconds(int moves)
{
    TApplication application;
    TForm1 form(application);
    form.Show(TShowState::Normal);
    SendMessageW(form.Button1, BM_CLICK, 0, 0);
    form.OpenChart();
    Pump(form);
    RECT client;
    GetClientRect(form.Chart->Handle, &client);
    std::vector<double> times;
    for (int i = 0; i < moves; ++i) {
        const int x = client.right / 5 + (i % 100) * client.right / 200;
        const LARGE_INTEGER start = Now();
        SendMessageW(form.Chart->Handle, WM_MOUSEMOVE, 0, MAKELPARAM(x, client.bottom / 2));
        times.push_back(Seconds(start, Now()));
        Pump(form);
    }
    return Median(times);
}

// From CreateProcessW to a visible top-level window of the class; then closed
// as a user closes it.
double StartSeconds(const std::wstring& program, const wchar_t* windowClass)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const LARGE_INTEGER start = Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        std::exit(2);
    HWND window = nullptr;
    while (!(window = FindWindowW(windowClass, nullptr)) || !IsWindowVisible(window))
        Sleep(1);
    const double seconds = Seconds(start, Now());
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

std::wstring Beside(const wchar_t* name)
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int presses = argc > 1 ? _wtoi(argv[1]) : 200;
    const int starts = argc > 2 ? _wtoi(argv[2]) : 10;
    std::printf("press with the defaults, new report: median %.2f ms of %d\n", 1e3 * PressSeconds(presses, true),
                presses);
    std::printf("press with the defaults, the report already shown: median %.2f ms of %d\n",
                1e3 * PressSeconds(presses, false), presses);
    ChartPressCost(presses);
    std::printf("hover over the chart: median %.3f ms of %d\n", 1e3 * HoverSeconds(presses), presses);
    std::vector<double> formula, bare;
    for (int i = 0; i < starts; ++i) {
        formula.push_back(StartSeconds(FORMULA_TEST, L"TForm1"));
        bare.push_back(StartSeconds(Beside(L"bare-window.exe"), L"TBareWindow"));
    }
    const double formulaMedian = Median(formula), bareMedian = Median(bare);
    std::printf("start-up to the window shown: formula-test %.0f ms, bare window %.0f ms (%.2fx), medians of %d\n",
                1e3 * formulaMedian, 1e3 * bareMedian, formulaMedian / bareMedian, starts);
    return 0;
}
