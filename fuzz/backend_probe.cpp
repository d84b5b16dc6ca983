// Built once for each backend, with FORMULA_PROBE naming its probe.
#include "backend_probe.h"

#include <cstdint>
#include <cstring>

#include "extended/fpu.h"
#include "main/form/button1click.h"
#include "numtext/numtext.h"

namespace {

std::string Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
}

template <class Call>
std::string Outcome(Call call)
{
    ResetFpu();
    try {
        return call();
    } catch (const Exception& e) {
        return "failure: " + e.Message;
    }
}

} // namespace

extern const TProbe FORMULA_PROBE = {
    [](std::string_view text) { return Outcome([text] { return Bits(StrToNum(text)); }); },
    [](int decimals, double value) { return Outcome([=] { return NumToStr(decimals, value); }); },
    [](std::string_view startText, std::string_view endText) {
        return Outcome([=] {
            TPlainTexts texts(startText, endText);
            RunButton1Click(texts);
            return texts.GetText(TControlId::Edit1) + '\n' + texts.GetText(TControlId::Edit2) + '\n'
                   + texts.GetText(TControlId::Memo1);
        });
    },
};
