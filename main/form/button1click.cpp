#include "button1click.h"

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
