// NumToStr on arbitrary doubles and counts of decimals: the fixed form below
// 2^120, the exponent form from there on, never longer than 255 characters;
// and what the window writes back into a field reads and writes again as the
// same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fixed_form.h"
#include "extended/fpu.h"
#include "numtext/numtext.h"

namespace {

// Blanks up to n characters, then " " or "-", d.ddd, "E+" and four digits.
bool IsExponentForm(std::string_view t, int n)
{
    const int g = std::max(2, std::min(18, n - 8));
    const std::size_t width = g + 8;
    if (t.size() != std::max<std::size_t>(width, n))
        return false;
    const std::string_view pad = t.substr(0, t.size() - width);
    const std::string_view body = t.substr(t.size() - width);
    return pad.find_first_not_of(' ') == std::string_view::npos &&
           (body[0] == ' ' || body[0] == '-') && body[1] >= '1' && body[1] <= '9' &&
           body[2] == '.' && AllDigits(body.substr(3, g - 1)) &&
           body.substr(g + 2, 2) == "E+" && AllDigits(body.substr(g + 4));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != sizeof(double) + 1)
        return -1;
    double x;
    std::memcpy(&x, data, sizeof x);
    const int n = data[sizeof x] % 217;
    if (std::isnan(x))
        return -1;

    ResetFpu();
    const std::string text = NumToStr(n, x);
    if (text.size() > 255)
        std::abort();
    if (std::isinf(x)) {
        if (text.size() != static_cast<std::size_t>(std::max(4, n)) || text.substr(text.size() - 3) != "Inf")
            std::abort();
    } else if (std::fabs(x) < 0x1p120 ? !IsFixedForm(text, n) : !IsExponentForm(text, n)) {
        std::abort();
    }

    if (std::isfinite(x) && std::fabs(x) < 0x1p120) {
        const std::string shown = NumToStr(2, x);
        if (NumToStr(2, StrToNum(shown)) != shown)
            std::abort();
    }
    return 0;
}
