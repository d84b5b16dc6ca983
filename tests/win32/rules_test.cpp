#include <cstdint>
#include <string>

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

} // namespace
