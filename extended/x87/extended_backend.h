#pragma once

#include <cmath>
#include <cstdint>

inline namespace FORMULA_CORE_NS {

// The x87 backend: long double is the 80-bit format and the unit, at 64-bit
// precision and rounding to nearest, rounds every operation as the model says.
class Extended {
public:
    constexpr Extended() = default;
    constexpr Extended(double value) : V(value) {}  // exact
    // A long double would narrow to double first, silently: say _ext instead.
    Extended(long double) = delete;

    // Rounds to the nearest double, ties to even; beyond the double range: ±Inf.
    explicit constexpr operator double() const { return static_cast<double>(V); }

    constexpr Extended operator-() const { return Raw(-V); }
    friend constexpr Extended operator+(Extended a, Extended b) { return Raw(a.V + b.V); }
    friend constexpr Extended operator-(Extended a, Extended b) { return Raw(a.V - b.V); }
    friend constexpr Extended operator*(Extended a, Extended b) { return Raw(a.V * b.V); }
    friend constexpr Extended operator/(Extended a, Extended b) { return Raw(a.V / b.V); }
    friend constexpr bool operator==(Extended a, Extended b) { return a.V == b.V; }
    friend constexpr bool operator<(Extended a, Extended b) { return a.V < b.V; }
    friend constexpr bool operator>(Extended a, Extended b) { return a.V > b.V; }
    friend constexpr bool operator<=(Extended a, Extended b) { return a.V <= b.V; }
    friend constexpr bool operator>=(Extended a, Extended b) { return a.V >= b.V; }

    friend Extended Sqrt(Extended a) { return Raw(std::sqrt(a.V)); }
    friend Extended Abs(Extended a) { return Raw(std::fabs(a.V)); }
    friend bool IsInf(Extended a) { return std::isinf(a.V); }
    friend bool IsNaN(Extended a) { return std::isnan(a.V); }
    // The nearest integer, ties to even; |a| must lie below 2^63.
    friend std::int64_t RoundToInt64(Extended a) { return std::llrint(a.V); }
    // floor(log2 |a|) for a finite nonzero a.
    friend int BinaryExponent(Extended a) { return std::ilogb(a.V); }
    static constexpr Extended Infinity() { return Raw(HUGE_VALL); }
    // The long double itself, for the literal below and the operations.
    static constexpr Extended Raw(long double value)
    {
        Extended e;
        e.V = value;
        return e;
    }

    // The raw 80-bit pattern: 64-bit significand and 16-bit sign and exponent.
    std::uint64_t Significand() const;
    std::uint16_t SignExponent() const;

private:
    long double V = 0.0L;
};

// Callable with a double too, not only found through an Extended argument.
Extended Sqrt(Extended a);
Extended Abs(Extended a);
bool IsInf(Extended a);
bool IsNaN(Extended a);
std::int64_t RoundToInt64(Extended a);
int BinaryExponent(Extended a);

// 0.111_ext: the extended value nearest the decimal, as the compiler rounds it.
constexpr Extended operator""_ext(long double value) { return Extended::Raw(value); }

} // namespace FORMULA_CORE_NS
