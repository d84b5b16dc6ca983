#include "button1click.h"

inline namespace FORMULA_CORE_NS {

TPlainTexts::TPlainTexts(std::string_view edit1, std::string_view edit2)
{
    for (const TControlSpec& designed : kControls)
        Texts[static_cast<int>(designed.Id)] = designed.Text;
    Texts[static_cast<int>(TControlId::Edit1)] = edit1;
    Texts[static_cast<int>(TControlId::Edit2)] = edit2;
}

std::string TPlainTexts::GetText(TControlId control) const
{
    return Texts[static_cast<int>(control)];
}

void TPlainTexts::ReplaceText(TControlId control, const std::string& text)
{
    Texts[static_cast<int>(control)] = text;
}

void SetText(TFormTexts& texts, TControlId control, const std::string& text)
{
    if (texts.GetText(control) != text)
        texts.ReplaceText(control, text);
}

void RunButton1Click(TFormTexts& texts, TSweep* sweep)
{
    const std::string start = texts.GetText(TControlId::Edit1);
    const std::string end = texts.GetText(TControlId::Edit2);
    const TRangeTexts range = NormalizeRange(start, end);
    SetText(texts, TControlId::Edit1, range.Start);
    SetText(texts, TControlId::Edit2, range.End);
    // The sweep runs over the range as the fields show it.
    const std::string shownStart = texts.GetText(TControlId::Edit1);
    const std::string shownEnd = texts.GetText(TControlId::Edit2);
    SetText(texts, TControlId::Memo1, ScanDeviations(shownStart, shownEnd, sweep));
}

} // namespace FORMULA_CORE_NS
