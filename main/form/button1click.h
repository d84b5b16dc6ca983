#pragma once

#include <array>
#include <string>
#include <string_view>

#include "form.h"
#include "scan/scan.h"

inline namespace FORMULA_CORE_NS {

// The two text operations a toolkit gives the form: a control's whole text
// (Memo1's lines joined with CR LF), and replacing it.
class TFormTexts {
public:
    virtual std::string GetText(TControlId control) const = 0;
    virtual void ReplaceText(TControlId control, const std::string& text) = 0;

protected:
    ~TFormTexts() = default;
};

// The controls' texts as plain strings, for a press without a window: as
// designed at the start, but for the two fields.
class TPlainTexts : public TFormTexts {
public:
    explicit TPlainTexts(std::string_view edit1 = Control(TControlId::Edit1).Text,
                         std::string_view edit2 = Control(TControlId::Edit2).Text);

    std::string GetText(TControlId control) const override;
    void ReplaceText(TControlId control, const std::string& text) override;

private:
    std::array<std::string, kControls.size()> Texts;
};

// Setting the text a control already holds does nothing at all: no redraw, and
// caret, selection and scroll position stay.
void SetText(TFormTexts& texts, TControlId control, const std::string& text);

// A press of Button1: read both fields, normalise, write them back, read them
// again, scan and put the report into Memo1, in one assignment. A failure
// leaves what was written written; *sweep, when given, is filled by the scan.
void RunButton1Click(TFormTexts& texts, TSweep* sweep = nullptr);

} // namespace FORMULA_CORE_NS
