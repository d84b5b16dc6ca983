#include <map>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "extended/fpu.h"
#include "main/form/button1click.h"
#include "main/form/centredcorner.h"
#include "main/form/enterkey.h"
#include "main/form/failuredisplay.h"
#include "main/form/form.h"
#include "main/form/layout.h"
#include "numtext/numtext.h"

namespace {

TEST(Layout, FontAndControlsFollowTheScreenAndTheFont)
{
    struct TRow {
        double PixelsPerInch;
        int FontPixels;
    };
    for (const TRow row : {TRow{96, 11}, TRow{120, 14}, TRow{144, 17}, TRow{48, 6}})
        EXPECT_EQ(FontPixels(row.PixelsPerInch), row.FontPixels) << row.PixelsPerInch;

    struct TScaled {
        int Design, TextHeight, Pixels;
    };
    for (const TScaled row : {TScaled{585, 13, 585}, TScaled{388, 13, 388}, TScaled{585, 16, 720},
                              TScaled{388, 16, 478}, TScaled{585, 19, 855}, TScaled{388, 19, 567},
                              TScaled{585, 12, 540}, TScaled{388, 12, 358}, TScaled{8, 16, 10}})
        EXPECT_EQ(ScaledToFont(row.Design, row.TextHeight), row.Pixels) << row.Design << " at " << row.TextHeight;
    EXPECT_EQ(ClientSize(16), (TSize{720, 478}));
}

TEST(Layout, LabelsTakeTheSizeOfTheirTextTheRestIsScaled)
{
    struct TRow {
        TControlId Id;
        int TextHeight;
        TSize Text;
        TRect Rect;
    };
    for (const TRow& row : {TRow{TControlId::Label1, 13, {85, 13}, {8, 16, 85, 13}},
                            TRow{TControlId::Label2, 16, {100, 17}, {10, 59, 100, 17}},
                            TRow{TControlId::Edit1, 13, {20, 13}, {108, 12, 65, 21}},
                            TRow{TControlId::Edit1, 16, {20, 16}, {133, 15, 80, 26}},
                            TRow{TControlId::Memo1, 19, {0, 19}, {281, 18, 557, 533}}}) {
        const TRect rect = ControlRect(Control(row.Id), row.TextHeight, row.Text);
        EXPECT_EQ(rect, row.Rect) << static_cast<int>(row.Id) << " at " << row.TextHeight << ": " << rect.Left << ", "
                                  << rect.Top << ", " << rect.Width << ", " << rect.Height;
    }
}

TEST(EnterKey, PressesTheFocusedButtonWithoutShiftCtrlOrAlt)
{
    struct TRow {
        bool Button1Focused;
        TKeyModifiers Held;
        bool Presses;
    };
    for (const TRow& row : {TRow{true, {false, false, false}, true}, TRow{true, {true, false, false}, false},
                            TRow{true, {false, true, false}, false}, TRow{true, {false, false, true}, false},
                            TRow{false, {false, false, false}, false}})
        EXPECT_EQ(EnterPressesButton1(row.Button1Focused, row.Held), row.Presses)
            << row.Button1Focused << row.Held.Shift << row.Held.Control << row.Held.Alt;
}

int Released = 0;

TEST(PrepareFailureBox, ReleasesTheCaptureResetsTheUnitAndGivesTheText)
{
    struct TRow {
        void (*Fail)();
        const char* Text;
    };
    const TRow rows[] = {
        {[] { StrToNum("1e400"); }, "Floating point overflow."},
        {[] { throw std::bad_alloc(); }, "Out of memory."},
        {[] { throw 1; }, ""},
    };
    for (const TRow& row : rows) {
        Released = 0;
        std::string text;
        try {
            row.Fail();
        } catch (...) {
            text = PrepareFailureBox([] { ++Released; });
        }
        EXPECT_EQ(text, row.Text);
        EXPECT_EQ(Released, 1) << row.Text;
        EXPECT_EQ(FpuStatusWord() & (kFpuInvalid | kFpuZeroDivide | kFpuOverflow), 0) << row.Text;
        EXPECT_EQ(FpuControlWord(), kFpuControlWord) << row.Text;
    }
}

TEST(CentredCorner, HalvesTheSpaceLeftOverAndStaysOnTheScreen)
{
    struct TRow {
        TRect Screen;
        int Width, Height;
        TPoint Corner;
    };
    for (const TRow& row : {TRow{{0, 0, 1280, 1024}, 587, 409, {346, 307}},
                            TRow{{1280, 0, 1024, 768}, 587, 409, {1280 + 218, 179}},
                            TRow{{0, 0, 500, 300}, 587, 409, {0, 0}}}) {
        const TPoint corner = CentredCorner(row.Screen, row.Width, row.Height);
        EXPECT_EQ(corner, row.Corner) << corner.X << ", " << corner.Y;
    }
}

// Controls as plain texts, each replacement noted.
class TFakeTexts final : public TFormTexts {
public:
    std::string GetText(TControlId control) const override { return Texts.at(control); }
    void ReplaceText(TControlId control, const std::string& text) override
    {
        Texts[control] = text;
        Replaced.push_back(control);
    }

    std::map<TControlId, std::string> Texts;
    std::vector<TControlId> Replaced;
};

TEST(RunButton1Click, OverPlainTextsStartsFromTheDesignedTexts)
{
    TPlainTexts texts;
    EXPECT_EQ(texts.GetText(TControlId::Label1), "Начальный угол:");
    EXPECT_EQ(texts.GetText(TControlId::Memo1), "\r\n");
    RunButton1Click(texts);
    EXPECT_EQ(texts.GetText(TControlId::Edit1), "0.00");
    EXPECT_EQ(texts.GetText(TControlId::Edit2), "89.99");
    EXPECT_TRUE(texts.GetText(TControlId::Memo1).starts_with("100 максимальных отклонений:\r\n89.9800 => 89.7008  d=0.2792\r\n"));
}

TEST(RunButton1Click, WritesOnlyWhatChangesAndStopsAtAFailure)
{
    using enum TControlId;
    struct TRow {
        const char* Start;
        const char* End;
        std::vector<TControlId> Replaced;
        bool Fails;
        const char* ShownStart;
        const char* ShownEnd;
    };
    const TRow rows[] = {
        {"0.00", "89.99", {Memo1}, false, "0.00", "89.99"},
        {"-5", "100", {Edit1, Edit2, Memo1}, false, "0.00", "89.99"},
        {"1e400", "5", {}, true, "1e400", "5"},
        {"1.79e308", "1.79e308", {Edit1, Edit2}, true, nullptr, nullptr},
    };
    for (const TRow& row : rows) {
        TFakeTexts texts;
        texts.Texts = {{Edit1, row.Start}, {Edit2, row.End}, {Memo1, "\r\n"}};
        if (row.Fails)
            EXPECT_THROW(RunButton1Click(texts), EOverflow) << row.Start;
        else
            RunButton1Click(texts);
        EXPECT_EQ(texts.Replaced, row.Replaced) << row.Start;
        if (row.ShownStart) {
            EXPECT_EQ(texts.Texts[Edit1], row.ShownStart);
            EXPECT_EQ(texts.Texts[Edit2], row.ShownEnd);
        }
        EXPECT_EQ(texts.Texts[Memo1] == "\r\n", row.Fails) << row.Start;
        // The same report again replaces nothing.
        if (!row.Fails) {
            texts.Replaced.clear();
            RunButton1Click(texts);
            EXPECT_TRUE(texts.Replaced.empty()) << row.Start;
        }
    }
}

} // namespace
