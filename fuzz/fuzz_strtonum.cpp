// StrToNum on arbitrary bytes: a double that is never a NaN, or the overflow
// failure with its message; nothing else escapes, and no invalid operation is
// left in the x87 status.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "extended/fpu.h"
#include "numtext/numtext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFpu();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        if (std::isnan(StrToNum(text)))
            std::abort();
    } catch (const EOverflow& e) {
        if (e.Message != "Floating point overflow")
            std::abort();
    }
    if (FpuStatusWord() & kFpuInvalid)
        std::abort();
    return 0;
}
