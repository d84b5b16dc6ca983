#include <string>
#include <vector>

#include "form1.h"

#include <psapi.h>
#include "main/form/form.h"
#include "scan/scan.h"
#include "widetext.h"

namespace {

std::wstring ClassName(HWND window)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

TEST_F(TForm1Test, WindowIsFixedWithTheWindowMenuOnly)
{
    EXPECT_EQ(ClassName(Form->Handle), L"TForm1");
    EXPECT_EQ(WindowText(Form->Handle), L"Тестирование формулы");
    const LONG style = GetWindowLongW(Form->Handle, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_FALSE(GetWindowLongW(Form->Handle, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_EQ(GetClassLongPtrW(Form->Handle, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(GetMenu(Form->Handle), nullptr);

    // The window menu sets its entries when it opens: open it as Alt+Space
    // does, and close it from inside its own loop.
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        EndMenu();
    });
    SendMessageW(Form->Handle, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
    const HMENU menu = GetSystemMenu(Form->Handle, FALSE);
    struct TRow {
        UINT Command;
        bool Greyed;
    };
    for (const TRow row : {TRow{SC_SIZE, true}, TRow{SC_MINIMIZE, true}, TRow{SC_MAXIMIZE, true},
                           TRow{SC_MOVE, false}, TRow{SC_CLOSE, false}})
        EXPECT_EQ((GetMenuState(menu, row.Command, MF_BYCOMMAND) & MF_GRAYED) != 0, row.Greyed) << row.Command;
}

TEST_F(TForm1Test, ControlsInTheDesignedOrder)
{
    struct TRow {
        HWND Control;
        const wchar_t* ClassName;
        LONG Set, Clear;  // style bits
    };
    const TRow rows[] = {
        {Form->Label1, L"Static", SS_NOPREFIX, WS_TABSTOP},
        {Form->Edit1, L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE},
        {Form->Label2, L"Static", SS_NOPREFIX, WS_TABSTOP},
        {Form->Edit2, L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE},
        {Form->Button1, L"Button", WS_TABSTOP, BS_DEFPUSHBUTTON},
        {Form->Memo1, L"Edit", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, WS_HSCROLL | ES_AUTOHSCROLL},
    };
    // A screen reader meets the children in the order the window holds them.
    HWND child = GetWindow(Form->Handle, GW_CHILD);
    for (std::size_t i = 0; i < std::size(rows); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const TRow& row = rows[i];
        EXPECT_EQ(child, row.Control) << i;
        EXPECT_EQ(_wcsicmp(ClassName(row.Control).c_str(), row.ClassName), 0) << i;
        const LONG style = GetWindowLongW(row.Control, GWL_STYLE);
        EXPECT_EQ(style & row.Set, row.Set) << i;
        EXPECT_EQ(style & row.Clear, 0) << i;
        EXPECT_EQ(WindowText(row.Control), WideText(kControls[i].Text)) << i;
        const int id = GetDlgCtrlID(row.Control);
        EXPECT_TRUE(id != IDOK && id != IDCANCEL) << i;
    }
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(GetWindowLongW(Form->Edit1, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    for (const HWND field : {Form->Edit1, Form->Edit2})
        EXPECT_GT(SendMessageW(field, EM_GETLIMITTEXT, 0, 0), 0x7FFF0000);
}

// Both fields and the report after a press, and the boxes it opened.
TEST_F(TForm1Test, PressesGiveTheirReportOrTheirBox)
{
    const std::wstring digits(40000, L'9');
    const std::wstring zeros = L"0." + std::wstring(39998, L'0');
    struct TRow {
        std::wstring Start, End;
        int Presses;
        std::wstring ShownStart, ShownEnd;
        bool Fails;
    };
    const TRow rows[] = {
        {L"0.00", L"89.99", 1, L"0.00", L"89.99", false},
        {L"-5", L"100", 1, L"0.00", L"89.99", false},
        {L"12,5", L"20", 1, L"12.50", L"20.00", false},
        {L"1e400", L"89.99", 1, L"1e400", L"89.99", true},
        {L"5", L"1e400", 1, L"5", L"1e400", true},
        // The write-back succeeds, the scan fails; the second press fails reading.
        {L"1.79e308", L"1.79e308", 2, L" 1.8E+0308", L"89.99", true},
        {digits, L"5", 1, digits, L"5", true},
        {zeros, L"89.99", 1, L"0.00", L"89.99", false},
        {L"Начальный", L"угол 5", 1, L"0.00", L"0.00", false},
        {L"\t\x01 7\x1f", L"\x1f" L"9\x7f", 1, L"7.00", L"9.00", false},
    };
    for (const TRow& row : rows) {
        SetWindowTextW(Form->Memo1, L"previous");
        SetWindowTextW(Form->Edit1, row.Start.c_str());
        SetWindowTextW(Form->Edit2, row.End.c_str());
        Boxes.clear();
        for (int i = 0; i < row.Presses; ++i)
            SendMessageW(Form->Button1, BM_CLICK, 0, 0);
        Pump();
        const std::wstring start = WindowText(Form->Edit1);
        EXPECT_EQ(start, row.ShownStart) << start.size();
        EXPECT_EQ(WindowText(Form->Edit2), row.ShownEnd);
        // The window's texts cross into the core as formula-scan's do.
        const std::wstring report =
            row.Fails ? L"previous" : WideText(ScanDeviations(Utf8Text(row.ShownStart), Utf8Text(row.ShownEnd)));
        EXPECT_EQ(WindowText(Form->Memo1), report) << start.size();
        ASSERT_EQ(Boxes.size(), row.Fails ? static_cast<std::size_t>(row.Presses) : 0u) << start.size();
        for (const TBox& box : Boxes) {
            EXPECT_EQ(box.Text, L"Floating point overflow.");
            EXPECT_EQ(box.Caption, L"Window-tests");
            EXPECT_EQ(box.Buttons, std::vector<int>{IDOK});
            EXPECT_TRUE(box.StopIcon);
            EXPECT_FALSE(box.OwnerEnabled);
        }
        EXPECT_TRUE(IsWindowEnabled(Form->Handle));
    }
    SetWindowTextW(Form->Edit1, L"0.00");
    SetWindowTextW(Form->Edit2, L"89.99");
    SendMessageW(Form->Button1, BM_CLICK, 0, 0);
    EXPECT_EQ(WindowText(Form->Memo1), DefaultReport());
}

TEST_F(TForm1Test, TheSameReportAgainLeavesMemo1Alone)
{
    SendMessageW(Form->Button1, BM_CLICK, 0, 0);
    SendMessageW(Form->Memo1, EM_SETSEL, 40, 60);
    SendMessageW(Form->Memo1, EM_LINESCROLL, 0, 30);
    const LRESULT firstLine = SendMessageW(Form->Memo1, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(firstLine, 0);
    SendMessageW(Form->Button1, BM_CLICK, 0, 0);
    Pump();
    DWORD start = 0, end = 0;
    SendMessageW(Form->Memo1, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 40u);
    EXPECT_EQ(end, 60u);
    EXPECT_EQ(SendMessageW(Form->Memo1, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);
}

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

TEST_F(TForm1Test, TwoThousandPressesKeepTheWorkingSet)
{
    // The defaults, and every twentieth press another end, so that the report
    // is replaced too (Wine's edit takes a good 20 ms over that).
    SIZE_T afterHundred = 0;
    for (int press = 1; press <= 2000; ++press) {
        SetWindowTextW(Form->Edit2, press % 20 ? L"89.99" : L"89.98");
        SendMessageW(Form->Button1, BM_CLICK, 0, 0);
        Pump();
        if (press == 100)
            afterHundred = WorkingSet();
    }
    EXPECT_LE(WorkingSet(), afterHundred + (1u << 20));
    EXPECT_EQ(WindowText(Form->Memo1).substr(0, 28), L"100 максимальных отклонений:");
}

} // namespace
