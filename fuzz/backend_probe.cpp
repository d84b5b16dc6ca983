// Built once for each backend, with FORMULA_PROBE naming its probe.
#include "backend_probe.h"

#include <cstdint>
#include <cstring>

#include "extended/fpu.h"
#include "numtext/numtext.h"
#include "scan/scan.h"

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
            // The window's calling order: normalise, write back, read again, scan.
            const TRangeTexts shown = NormalizeRange(startText, endText);
            return shown.Start + '\n' + shown.End + '\n' + ScanDeviations(shown.Start, shown.End);
        });
    },
};
