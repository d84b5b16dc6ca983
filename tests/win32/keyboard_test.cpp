#include <string>

#include "form1.h"

namespace {

std::pair<DWORD, DWORD> Selection(HWND field)
{
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

bool WholeTextSelected(HWND field)
{
    return Selection(field) == std::pair<DWORD, DWORD>(0, static_cast<DWORD>(GetWindowTextLengthW(field)));
}

TEST_F(TForm1Test, TabGoesRoundAndSelectsOnlyTheFields)
{
    EXPECT_EQ(GetFocus(), Form->Edit1);
    EXPECT_TRUE(WholeTextSelected(Form->Edit1));
    SetWindowTextW(Form->Memo1, L"report\r\nlines");
    struct TRow {
        std::initializer_list<WORD> Modifiers;
        HWND Focus;
        bool Selected;
    };
    const TRow rows[] = {
        {{}, Form->Edit2, true},
        {{}, Form->Button1, false},
        {{}, Form->Memo1, false},
        {{}, Form->Edit1, true},
        {{VK_SHIFT}, Form->Memo1, false},
        {{VK_SHIFT}, Form->Button1, false},
        {{VK_SHIFT}, Form->Edit2, true},
    };
    for (const TRow& row : rows) {
        Key(VK_TAB, row.Modifiers);
        EXPECT_EQ(GetFocus(), row.Focus) << &row - rows;
        if (row.Focus == Form->Memo1) {
            EXPECT_EQ(Selection(Form->Memo1).first, Selection(Form->Memo1).second);
        } else if (row.Focus != Form->Button1) {
            EXPECT_EQ(WholeTextSelected(row.Focus), row.Selected) << &row - rows;
        }
    }
    // A click only places the caret.
    const LPARAM inside = MAKELPARAM(20, 5);
    SendMessageW(Form->Edit1, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(Form->Edit1, WM_LBUTTONUP, 0, inside);
    Pump();
    EXPECT_EQ(GetFocus(), Form->Edit1);
    EXPECT_EQ(Selection(Form->Edit1).first, Selection(Form->Edit1).second);
}

// Only Enter without Shift, Ctrl or Alt and Space press the focused button;
// Escape closes nothing.
TEST_F(TForm1Test, KeysThatPressTheButton)
{
    struct TRow {
        HWND TForm1::*Focus;
        WORD Key;
        std::initializer_list<WORD> Modifiers;
        bool Pressed;
    };
    const TRow rows[] = {
        {&TForm1::Button1, VK_RETURN, {}, true},
        {&TForm1::Button1, VK_SPACE, {}, true},
        {&TForm1::Button1, VK_RETURN, {VK_SHIFT}, false},
        {&TForm1::Button1, VK_RETURN, {VK_CONTROL}, false},
        {&TForm1::Button1, VK_RETURN, {VK_MENU}, false},
        {&TForm1::Edit1, VK_RETURN, {}, false},
        {&TForm1::Edit2, VK_RETURN, {}, false},
        {&TForm1::Memo1, VK_RETURN, {}, false},
        {&TForm1::Button1, VK_ESCAPE, {}, false},
        {&TForm1::Edit2, VK_ESCAPE, {}, false},
        {&TForm1::Memo1, VK_ESCAPE, {}, false},
    };
    for (const TRow& row : rows) {
        SetWindowTextW(Form->Memo1, L"\r\n");
        SetFocus((*Form).*row.Focus);
        Key(row.Key, row.Modifiers);
        ASSERT_TRUE(IsWindow(Form->Handle)) << &row - rows;
        EXPECT_EQ(WindowText(Form->Memo1) != L"\r\n", row.Pressed) << &row - rows;
        EXPECT_EQ(GetFocus(), (*Form).*row.Focus) << &row - rows;
        EXPECT_EQ(WindowText(Form->Edit1), L"0.00") << &row - rows;
    }
}

TEST_F(TForm1Test, FocusComesBackAfterAnotherWindowAndAfterTheBox)
{
    Key(VK_TAB);
    Key(VK_TAB);
    ASSERT_EQ(GetFocus(), Form->Button1);
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       nullptr, nullptr);
    SetActiveWindow(other);
    Pump();
    ASSERT_EQ(GetActiveWindow(), other);
    SetActiveWindow(Form->Handle);
    Pump();
    EXPECT_EQ(GetFocus(), Form->Button1);
    DestroyWindow(other);

    SetWindowTextW(Form->Edit1, L"1e400");
    Key(VK_RETURN);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(GetActiveWindow(), Form->Handle);
    EXPECT_EQ(GetFocus(), Form->Button1);
}

} // namespace
