// The chart's wiring into the Win32 window: its rules are main/chart's, tested
// there.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "form1.h"

#include <objidl.h>
#include <gdiplus.h>

#include "main/chart/placement.h"
#include "samples/samplescsv.h"
#include "scan/scan.h"
#include "widetext.h"

namespace {

class TChartTest : public TForm1Test {
protected:
    void SetUp() override
    {
        TForm1Test::SetUp();
        wchar_t temporary[MAX_PATH];
        GetTempPathW(MAX_PATH, temporary);
        Folder = std::wstring(temporary) + L"chart-test-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(Folder.c_str(), nullptr);
    }

    void TearDown() override
    {
        for (const std::wstring& name : Files())
            DeleteFileW((Folder + L"\\" + name).c_str());
        RemoveDirectoryW(Folder.c_str());
        TForm1Test::TearDown();
    }

    void Press(const wchar_t* start, const wchar_t* end)
    {
        SetWindowTextW(Form->Edit1, start);
        SetWindowTextW(Form->Edit2, end);
        SendMessageW(Form->Button1, BM_CLICK, 0, 0);
        Pump();
    }

    // The names in the folder, files and folders alike.
    std::vector<std::wstring> Files() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((Folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            if (std::wstring_view(found.cFileName) != L"." && std::wstring_view(found.cFileName) != L"..")
                names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    std::string Bytes(const std::wstring& path) const
    {
        std::string bytes;
        if (FILE* file = _wfopen(path.c_str(), L"rb")) {
            char buffer[4096];
            for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
                bytes.append(buffer, read);
            std::fclose(file);
        }
        return bytes;
    }

    std::wstring Folder;
};

RECT WindowRect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

// What the report's menu offered; its last entry is chosen from inside the
// menu's own loop, as the keys Up and Enter choose it.
std::vector<std::wstring> ReportMenu;

void OpenByTheMenu(TForm1& form)
{
    ReportMenu.clear();
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND popup = FindWindowW(L"#32768", nullptr);
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, UINT(i), text, 64, MF_BYPOSITION);
            ReportMenu.push_back(text);
        }
        PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    RECT memo = WindowRect(form.Memo1);
    SendMessageW(form.Memo1, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Memo1),
                 MAKELPARAM(memo.left + 20, memo.top + 20));
}

TEST_F(TChartTest, CtrlGAndTheReportMenuOpenTheChartBesideForm1)
{
    struct TRow {
        const char* Way;
        std::function<void()> Open;
    };
    const TRow rows[] = {
        {"Ctrl+G", [this] { Key('G', {VK_CONTROL}); }},
        {"menu", [this] { OpenByTheMenu(*Form); }},
    };
    for (const TRow& row : rows) {
        row.Open();
        Pump();
        ASSERT_TRUE(Form->Chart) << row.Way;
        const HWND chart = Form->Chart->Handle;
        EXPECT_TRUE(IsWindowVisible(chart)) << row.Way;
        EXPECT_EQ(GetActiveWindow(), chart) << row.Way;
        EXPECT_EQ(WindowText(chart), L"График отклонений");
        EXPECT_EQ(GetWindow(chart, GW_OWNER), nullptr);
        EXPECT_EQ(GetWindowLongW(chart, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        const auto grown = [&frame](TSize size) {
            return TSize{size.Width + frame.right - frame.left, size.Height + frame.bottom - frame.top};
        };
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(Form->Handle, MONITOR_DEFAULTTONEAREST), &monitor);
        const auto rect = [](RECT r) { return TRect{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
        EXPECT_EQ(rect(WindowRect(chart)), ChartFrame(rect(monitor.rcWork), rect(WindowRect(Form->Handle)),
                                                      grown(kChartSize), grown(kLeastChartSize)))
            << row.Way;

        // Closing hides it; the next way builds it afresh.
        SendMessageW(chart, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(chart) && !IsWindowVisible(chart)) << row.Way;
        Form->Chart.reset();
    }
    EXPECT_EQ(ReportMenu, (std::vector<std::wstring>{L"Копировать", L"Выделить всё", L"", L"График отклонений\tCtrl+G"}));
    // Form1 takes it with it.
    Form->OpenChart();
    const HWND chart = Form->Chart->Handle;
    Form.reset();
    EXPECT_FALSE(IsWindow(chart));
}

// The saved data tells what the chart holds: the samples of the last
// successful run, whether the chart was open for it or opened after it.
TEST_F(TChartTest, FollowsEverySuccessfulRunAndSavesItsSamples)
{
    struct TRow {
        const wchar_t* Start;
        const wchar_t* End;
        bool Fails;
    };
    const std::wstring path = Folder + L"\\отклонения.csv";
    Press(L"45", L"46");
    SendMessageW(Form->Handle, WM_COMMAND, 200, 0);
    Pump();
    ASSERT_TRUE(Form->Chart);
    TSweep sweep;
    ScanDeviations("45.00", "46.00", &sweep);
    for (const TRow row : {TRow{L"0", L"0", false}, TRow{L"1e400", L"5", true}, TRow{L"10", L"89.99", false}}) {
        if (!row.Fails) {
            sweep = {};
            ScanDeviations(Utf8Text(row.Start), Utf8Text(row.End), &sweep);
        }
        Press(row.Start, row.End);
        ASSERT_TRUE(Form->Chart->SaveData(path));
        EXPECT_EQ(Bytes(path), SamplesCsv(sweep.Samples)) << Utf8Text(row.Start);
    }
    EXPECT_EQ(Files(), std::vector<std::wstring>{L"отклонения.csv"});
}

TEST_F(TChartTest, SavedImageDecodesToTheChartsSize)
{
    Press(L"0", L"89.99");
    Form->OpenChart();
    Pump();
    const std::wstring path = Folder + L"\\отклонения.png";
    ASSERT_TRUE(Form->Chart->SaveImage(path));
    RECT client;
    GetClientRect(Form->Chart->Handle, &client);
    Gdiplus::Bitmap image(path.c_str());
    ASSERT_EQ(image.GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(image.GetWidth(), UINT(client.right));
    EXPECT_EQ(image.GetHeight(), UINT(client.bottom));
    EXPECT_EQ(Bytes(path).substr(1, 3), "PNG");

    // The clipboard's copy is the same image.
    SendMessageW(Form->Chart->Handle, WM_COMMAND, 202, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    BITMAP copied{};
    GetObjectW(GetClipboardData(CF_BITMAP), sizeof copied, &copied);
    CloseClipboard();
    EXPECT_EQ(copied.bmWidth, client.right);
    EXPECT_EQ(copied.bmHeight, client.bottom);
}

// Each key that chooses a sample selects its report line in Memo1.
TEST_F(TChartTest, KeysSelectTheChosenSamplesLine)
{
    Press(L"0", L"89.99");
    Form->OpenChart();
    Pump();
    struct TRow {
        WORD Key;
        int Line;
    };
    for (const TRow row : {TRow{VK_NEXT, 1}, TRow{VK_NEXT, 2}, TRow{VK_PRIOR, 1}, TRow{VK_LEFT, 2}}) {
        ASSERT_EQ(GetFocus(), Form->Chart->Handle);
        Key(row.Key);
        DWORD start = 0, end = 0;
        SendMessageW(Form->Memo1, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const auto first = DWORD(SendMessageW(Form->Memo1, EM_LINEINDEX, WPARAM(row.Line), 0));
        EXPECT_EQ(start, first) << row.Line;
        EXPECT_EQ(end, first + DWORD(SendMessageW(Form->Memo1, EM_LINELENGTH, first, 0))) << row.Line;
    }
}

TEST_F(TChartTest, FailedSaveSaysWhyAndLeavesNoFile)
{
    Form->OpenChart();
    Pump();
    const std::wstring taken = Folder + L"\\занято";
    CreateDirectoryW(taken.c_str(), nullptr);
    for (const std::wstring& path : {taken, Folder + L"\\нет\\отклонения.csv"}) {
        Boxes.clear();
        EXPECT_FALSE(Form->Chart->SaveData(path));
        Pump();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text.rfind(L"Не удалось сохранить «" + path + L"»:\n", 0), 0u);
        EXPECT_EQ(Files(), std::vector<std::wstring>{L"занято"});
    }
    RemoveDirectoryW(taken.c_str());
}

// The box disables every window of the program, and afterwards the window
// that was active is active again with its focus.
TEST_F(TChartTest, FailureBoxOverBothWindows)
{
    Form->OpenChart();
    Pump();
    const HWND chart = Form->Chart->Handle;
    struct TRow {
        HWND Active, Focus;
    };
    for (const TRow row : {TRow{chart, chart}, TRow{Form->Handle, Form->Edit2}}) {
        SetActiveWindow(row.Active);
        SetFocus(row.Focus);
        Pump();
        SetWindowTextW(Form->Edit1, L"1e400");
        Boxes.clear();
        // The button's notification alone: a click would activate Form1.
        SendMessageW(Form->Handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Form->Button1), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Form->Button1));
        Pump();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_FALSE(Boxes[0].OwnerEnabled);
        EXPECT_FALSE(Boxes[0].OthersEnabled);
        EXPECT_TRUE(IsWindowEnabled(Form->Handle));
        EXPECT_TRUE(IsWindowEnabled(chart));
        EXPECT_EQ(GetActiveWindow(), row.Active);
        EXPECT_EQ(GetFocus(), row.Focus);
    }
}

} // namespace
