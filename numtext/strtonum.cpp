#include <algorithm>
#include <cmath>
#include <cstdint>

#include "numtext/numtext.h"
#include "numtext/pow10.h"

inline namespace FORMULA_CORE_NS {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Far beyond any exponent that matters (5120) and any text length, and far
// from the int64 limits, so X - F can neither overflow nor change its verdict.
constexpr std::int64_t kExponentCap = std::int64_t{1} << 50;

struct TReading {
    bool HasDigit = false;  // a mantissa digit came before any break
    bool Negative = false;
    bool WellFormed = false;
    Extended Mantissa;
    std::int64_t Exponent = 0;  // the decimal exponent N of Mantissa, saturated
};

// Reads the longest well-formed prefix: [sign] digits [. digits] [e [sign] digits].
TReading Read(std::string_view s)
{
    TReading r;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        r.Negative = s[i++] == '-';
    const bool emptyAfterSign = i == s.size();

    std::int64_t fractionDigits = 0;
    bool inFraction = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            r.HasDigit = true;
            // Each step rounded to the 64-bit significand; exact below 2^64.
            // Once infinite it stays so, and the x87 unit is slow on infinities.
            if (!IsInf(r.Mantissa))
                r.Mantissa = r.Mantissa * 10.0 + double(s[i] - '0');
            fractionDigits += inFraction;
        } else if (s[i] == '.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (IsInf(r.Mantissa))
        throw EOverflow();

    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            negative = s[j++] == '-';
        if (j < s.size() && IsDigit(s[j])) {
            for (; j < s.size() && IsDigit(s[j]); ++j)
                exponent = std::min(exponent * 10 + (s[j] - '0'), kExponentCap);
            if (negative)
                exponent = -exponent;
            i = j;
        }
    }
    r.Exponent = exponent - fractionDigits;
    r.WellFormed = i == s.size() && !emptyAfterSign;
    return r;
}

} // namespace

std::string Trim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::string FixDecimalSeparator(std::string_view text)
{
    std::string result(text);
    if (const auto comma = result.find(','); comma != std::string::npos)
        result[comma] = '.';
    return result;
}

double StrToNum(std::string_view text)
{
    const TReading r = Read(FixDecimalSeparator(Trim(text)));
    if (!r.WellFormed && !r.HasDigit)
        return 0.0;

    const int n = static_cast<int>(std::clamp<std::int64_t>(r.Exponent, -kPow10Limit, kPow10Limit));
    // A malformed text reads as its well-formed prefix, but only a well-formed
    // one is a number that can overflow: the prefix saturates to infinity.
    Extended v = r.WellFormed ? Pow10(r.Mantissa, n) : ScalePow10(r.Mantissa, n);
    if (r.Negative)
        v = -v;
    // Rounding to double: the one point where an extended value can leave the double range.
    const double result = static_cast<double>(v);
    if (r.WellFormed && std::isinf(result) && !IsInf(v))
        throw EOverflow();
    return result;
}

} // namespace FORMULA_CORE_NS
