#include <cstdint>
#include <optional>
#include <string>

#include "failurebox.h"
#include "form1.h"
#include "showstate.h"

namespace {

TEST(ApplicationTitle, FileNameCutAtTheFirstFullStopLowerCasedAfterTheFirstCharacter)
{
    struct TRow {
        const wchar_t* Path;
        const wchar_t* Title;
    };
    for (const TRow row : {TRow{L"C:\\Tools\\FormulaTest.EXE", L"Formulatest"}, TRow{L"C:\\TEST.EXE", L"Test"},
                           TRow{L"D:\\a.b\\my.tool.exe", L"my"}, TRow{L"A.B.exe", L"A"},
                           TRow{L"C:\\Программы\\Тест.exe", L"Тест"}, TRow{L"\\\\host\\share\\ФОРМУЛА.EXE", L"Формула"},
                           TRow{L"C:\\.hidden.exe", L""}})
        EXPECT_EQ(ApplicationTitle(row.Path), row.Title) << &row.Path;
}

TEST(ShowState, MaximisedAndMinimisedInactiveOnlyOnTheirOwnRequests)
{
    for (int command = SW_HIDE; command <= SW_FORCEMINIMIZE; ++command) {
        const TShowState expected = command == SW_SHOWMAXIMIZED     ? TShowState::Maximised
                                    : command == SW_SHOWMINNOACTIVE ? TShowState::MinimisedInactive
                                                                    : TShowState::Normal;
        EXPECT_EQ(ShowState(command), expected) << command;
    }
}

std::uint16_t X87ControlWord()
{
    std::uint16_t word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

// A Windows process starts at 53-bit precision: the start-up takes it to the
// mode the reports are computed in.
TEST(StartUp, FromTheWindowsModeToTheDefaultReport)
{
    const std::uint16_t windowsMode = 0x27F;
    asm volatile("fldcw %0" : : "m"(windowsMode));
    ASSERT_EQ(X87ControlWord(), windowsMode);
    TApplication application;
    TForm1 form(application);
    SendMessageW(form.Button1, BM_CLICK, 0, 0);
    EXPECT_EQ(WindowText(form.Memo1), DefaultReport());
}

// formula-test.exe started as a launcher starts it, with a show request in
// its STARTUPINFO; closed by WM_CLOSE, as its close button closes it.
TEST(StartUp, TheShowRequestOfTheLauncher)
{
    struct TRow {
        WORD ShowCommand;
        bool Maximised, Minimised, Centred;
    };
    for (const TRow row : {TRow{SW_SHOWNORMAL, false, false, true}, TRow{SW_SHOWMAXIMIZED, true, false, false},
                           TRow{SW_SHOWMINNOACTIVE, false, true, false}, TRow{SW_SHOWMINIMIZED, false, false, true}}) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = row.ShowCommand;
        PROCESS_INFORMATION process{};
        std::wstring commandLine = L"formula-test.exe";
        ASSERT_TRUE(CreateProcessW(FORMULA_TEST_EXE, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process));
        HWND window = nullptr;
        for (int i = 0; i < 2000 && !(window = FindWindowW(L"TForm1", nullptr)); ++i)
            Sleep(5);
        ASSERT_NE(window, nullptr) << row.ShowCommand;
        for (int i = 0; i < 200 && !IsWindowVisible(window); ++i)
            Sleep(5);
        EXPECT_EQ(IsZoomed(window) != FALSE, row.Maximised) << row.ShowCommand;
        EXPECT_EQ(IsIconic(window) != FALSE, row.Minimised) << row.ShowCommand;
        if (row.Minimised) {
            EXPECT_NE(GetForegroundWindow(), window);
        }
        if (row.Centred) {
            RECT outer{};
            GetWindowRect(window, &outer);
            EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
            EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u) << row.ShowCommand;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

} // namespace

namespace {

// Two screens side by side, the second higher: the box goes to the screen of
// the active window, by the larger share when it straddles both, and to
// Form1's when no window of the program is active or the active one is off
// every screen.
TEST(FailureBoxScreen, TheActiveWindowsScreenElseForm1s)
{
    const TRect left{0, 0, 1920, 1040}, right{1920, -200, 1280, 984};
    const TRect screens[] = {left, right};
    const TRect onLeft{700, 300, 591, 413}, onRight{2200, 100, 760, 480};
    struct TRow {
        std::optional<TRect> Active;
        TRect Application;
        TRect Screen;
    };
    const TRow rows[] = {
        {std::nullopt, onLeft, left},
        {std::nullopt, onRight, right},
        {onLeft, onLeft, left},
        {onRight, onLeft, right},
        {onLeft, onRight, left},
        {TRect{1800, 100, 300, 200}, onLeft, right},   // mostly on the right
        {TRect{1700, 100, 300, 200}, onRight, left},   // mostly on the left
        {TRect{5000, 5000, 300, 200}, onRight, right}, // off every screen
        {std::nullopt, TRect{-900, 0, 591, 413}, left},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FailureBoxScreen(screens, row.Active, row.Application), row.Screen) << &row - rows;
    EXPECT_EQ(FailureBoxScreen({}, onRight, onLeft), onLeft);
}

} // namespace
