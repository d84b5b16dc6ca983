#pragma once

#include <array>
#include <string_view>

// The main window as designed, whatever the toolkit that shows it: every size
// is in pixels of a 96 dpi screen whose window font's "0" is 13 pixels high.

inline constexpr std::string_view kCaption = "Тестирование формулы";
inline constexpr int kClientWidth = 585;
inline constexpr int kClientHeight = 388;

inline constexpr std::string_view kFontName = "MS Sans Serif";
inline constexpr int kFontPixels = 11;
inline constexpr int kDesignPixelsPerInch = 96;
inline constexpr int kDesignTextHeight = 13;

enum class TControlKind { Label, Edit, Button, Memo };

// The six controls in declaration order, which is also the order a screen
// reader meets them in: each label before the field it names.
enum class TControlId { Label1, Edit1, Label2, Edit2, Button1, Memo1 };

struct TControlSpec {
    TControlId Id;
    TControlKind Kind;
    int Left, Top, Width, Height;
    int TabOrder;  // -1: never takes the focus
    std::string_view Text;
};

inline constexpr std::array<TControlSpec, 6> kControls = {{
    {TControlId::Label1, TControlKind::Label, 8, 16, 85, 13, -1, "Начальный угол:"},
    {TControlId::Edit1, TControlKind::Edit, 108, 12, 65, 21, 0, "0.00"},
    {TControlId::Label2, TControlKind::Label, 8, 48, 78, 13, -1, "Конечный угол:"},
    {TControlId::Edit2, TControlKind::Edit, 108, 44, 65, 21, 1, "89.99"},
    {TControlId::Button1, TControlKind::Button, 16, 84, 137, 21, 2, "Тестировать"},
    // One line break: the report area looks blank.
    {TControlId::Memo1, TControlKind::Memo, 192, 12, 381, 365, 3, "\r\n"},
}};

constexpr const TControlSpec& Control(TControlId id)
{
    return kControls[static_cast<int>(id)];
}
