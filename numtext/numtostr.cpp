#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "numtext/numtext.h"
#include "numtext/pow10.h"

inline namespace FORMULA_CORE_NS {

namespace {

const Extended kDigitScale = 1e17;  // exact
constexpr int kDigitCount = 19;             // d0 .. d18; d0 only ever takes a carry
constexpr int kFixedLimitExponent = 35;     // 2^120 and above: exponent form
constexpr int kMaxDecimals = 216;

// d0 .. d18 of m × 10^17, with m below 16.
struct TDigits {
    char D[kDigitCount];

    explicit TDigits(const Extended& m)
    {
        // The product is rounded to the 64-bit significand first, then to an
        // integer with ties to even (the x87 rounding mode is to nearest).
        const Extended product = m * kDigitScale;
        std::int64_t value = RoundToInt64(product);
        for (int i = kDigitCount - 1; i >= 0; --i) {
            D[i] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
    }

    // Keeps d0 .. dL, rounding half up on d(L+1) alone; from L = 18 on nothing
    // is dropped.
    void RoundAt(int l)
    {
        if (l >= kDigitCount - 1 || D[l + 1] < '5')
            return;
        int i = l;
        while (D[i] == '9')
            D[i--] = '0';
        ++D[i];
    }

    // The digit at position i, with the zeros that follow d18.
    char At(int i) const { return i < kDigitCount ? D[i] : '0'; }
};

std::string PadLeft(std::string text, int width)
{
    if (static_cast<int>(text.size()) < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

std::string ExponentForm(int decimals, bool negative, const Extended& m, int exponent)
{
    const int g = std::max(2, std::min(18, decimals - 8));
    TDigits digits(m);
    digits.RoundAt(g);
    int first = 1;
    if (digits.D[0] == '1') {
        first = 0;
        ++exponent;
    }
    std::string text(1, negative ? '-' : ' ');
    text += digits.D[first];
    text += '.';
    text.append(digits.D + first + 1, g - 1);
    text += "E+";
    const std::string e = std::to_string(exponent);
    text.append(4 - e.size(), '0');
    text += e;
    return PadLeft(std::move(text), decimals);
}

} // namespace

std::string NumToStr(int decimals, double value)
{
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (std::isinf(value))
        return PadLeft(value > 0 ? "+Inf" : "-Inf", decimals);
    // The program never writes a NaN; a caller that does gets a plain word,
    // not digits of whatever the backend makes of it.
    if (std::isnan(value))
        return PadLeft("NaN", decimals);

    const bool negative = std::signbit(value);
    const Extended a = Abs(Extended(value));  // widening is exact
    Extended m = a;
    int exponent = 0;
    if (a >= 10.0) {
        // Scale into [1, 16) by powers of ten estimated from the binary
        // exponent: 19728 / 65536 lies just below log10(2).
        for (;;) {
            const int k = (BinaryExponent(m) * 19728) >> 16;
            if (k == 0)
                break;
            m = Pow10(m, -k);
            exponent += k;
        }
        if (exponent > kFixedLimitExponent)
            return ExponentForm(decimals, negative, m, exponent);
    }

    TDigits digits(m);
    const int l = exponent + 1 + decimals;
    digits.RoundAt(l);

    std::string text;
    text.reserve(3 + exponent + decimals);
    if (negative)
        text += '-';
    if (digits.D[0] == '1')
        text += '1';
    for (int i = 1; i <= exponent + 1; ++i)
        text += digits.At(i);
    if (decimals > 0) {
        text += '.';
        for (int i = exponent + 2; i <= l; ++i)
            text += digits.At(i);
    }
    return text;
}

std::string IntToStr(std::int32_t value)
{
    return std::to_string(value);
}

} // namespace FORMULA_CORE_NS
