#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "main/form/button1click.h"
#include "main/form/centredcorner.h"
#include "main/form/form.h"
#include "numtext/exception.h"

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
