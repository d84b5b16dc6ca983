#pragma once

#include <cstdint>

#include <mpfr.h>

inline namespace FORMULA_CORE_NS {

// The MPFR backend: every operation is MPFR's correctly rounded one at 64-bit
// precision, confined to the x87 exponent range with its subnormals, so each
// result has the bits the x87 unit gives. The value lives here, not in MPFR's
// heap: operations view it through MPFR's custom interface and allocate nothing.
class Extended {
public:
    Extended() = default;
    Extended(double value);  // exact
    // A long double would narrow to double first, silently: say _ext instead.
    Extended(long double) = delete;

    // Rounds to the nearest double, ties to even; beyond the double range: ±Inf.
    explicit operator double() const;

    Extended operator-() const;
    friend Extended operator+(const Extended& a, const Extended& b);
    friend Extended operator-(const Extended& a, const Extended& b);
    friend Extended operator*(const Extended& a, const Extended& b);
    friend Extended operator/(const Extended& a, const Extended& b);
    friend bool operator==(const Extended& a, const Extended& b);
    friend bool operator<(const Extended& a, const Extended& b);
    friend bool operator>(const Extended& a, const Extended& b);
    friend bool operator<=(const Extended& a, const Extended& b);
    friend bool operator>=(const Extended& a, const Extended& b);

    friend Extended Sqrt(const Extended& a);
    friend Extended Abs(const Extended& a);
    friend bool IsInf(const Extended& a);
    friend bool IsNaN(const Extended& a);
    // The nearest integer, ties to even; |a| must lie below 2^63.
    friend std::int64_t RoundToInt64(const Extended& a);
    // floor(log2 |a|) for a finite nonzero a.
    friend int BinaryExponent(const Extended& a);
    static Extended Infinity();
    // The nearest value to a literal's text (decimal, or hexadecimal after 0x).
    static Extended FromDecimal(const char* text);

    // The raw 80-bit pattern the x87 unit would hold.
    std::uint64_t Significand() const;
    std::uint16_t SignExponent() const;

private:
    friend class TView;

    int Kind = MPFR_ZERO_KIND;  // MPFR's kind, negative for a negative sign
    mpfr_exp_t Exp = 0;         // MPFR's exponent: the value is 0.1… × 2^Exp
    mp_limb_t Limb = 0;         // the 64-bit significand, leading bit set
};

// Callable with a double too, not only found through an Extended argument.
Extended Sqrt(const Extended& a);
Extended Abs(const Extended& a);
bool IsInf(const Extended& a);
bool IsNaN(const Extended& a);
std::int64_t RoundToInt64(const Extended& a);
int BinaryExponent(const Extended& a);

// 0.111_ext: the extended value nearest the decimal, rounded by MPFR as the
// x87 backend's compiler rounds it.
inline Extended operator""_ext(const char* text) { return Extended::FromDecimal(text); }

} // namespace FORMULA_CORE_NS
