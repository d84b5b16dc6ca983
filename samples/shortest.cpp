#include "samples/shortest.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <gmp.h>

namespace {

// Exact integers for the digit generation, kept between calls: a scan writes
// thousands of numbers, and GMP then allocates nothing after the first.
struct TState {
    mpz_t R, S, MPlus, MMinus, Sum, Digit;
    TState() { mpz_inits(R, S, MPlus, MMinus, Sum, Digit, nullptr); }
    ~TState() { mpz_clears(R, S, MPlus, MMinus, Sum, Digit, nullptr); }
};

TState& State()
{
    thread_local TState state;
    return state;
}

// The digits of a double that is an integer, all of them. Taken from its
// significand: GMP's mpz_set_d gives wrong integers in the wasm32 build.
char* WriteInteger(char* out, double integer)
{
    mpz_t& whole = State().R;
    int exponent;
    const auto significand = static_cast<std::uint64_t>(std::ldexp(std::frexp(integer, &exponent), 53));
    mpz_import(whole, 1, 1, sizeof significand, 0, 0, &significand);
    if (exponent >= 53)
        mpz_mul_2exp(whole, whole, exponent - 53);
    else
        mpz_tdiv_q_2exp(whole, whole, 53 - exponent);
    mpz_get_str(out, 10, whole);
    return out + std::strlen(out);
}

// The shortest digits of a finite positive double as 0.d1d2… × 10^exponent.
// The double is R/S, the midpoints to its neighbours lie MMinus/S below and
// MPlus/S above, and a text reads back to it if it lies strictly between them,
// or on one of them when the significand is even (reading rounds ties to
// even). Digits are taken one by one until they, or they with the last one
// raised, lie in that interval; if both do, the nearer wins, a tie the even.
int ShortestDigits(double number, char* digits, int& count)
{
    auto& [r, s, mPlus, mMinus, sum, digit] = State();
    std::uint64_t bits;  // Emscripten's C++ library has no std::bit_cast
    std::memcpy(&bits, &number, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t significand = biased ? fraction | std::uint64_t{1} << 52 : fraction;
    const int exponent = (biased ? biased : 1) - 1075;
    // Above a power of two the neighbour below lies half as far.
    const bool closerBelow = fraction == 0 && biased > 1;
    const bool inclusive = significand % 2 == 0;

    mpz_set_ui(s, 1);
    mpz_import(r, 1, 1, sizeof significand, 0, 0, &significand);
    mpz_mul_2exp(r, r, closerBelow ? 2 : 1);
    mpz_mul_2exp(s, s, closerBelow ? 2 : 1);
    mpz_set_ui(mPlus, closerBelow ? 2 : 1);
    mpz_set_ui(mMinus, 1);
    if (exponent >= 0) {
        mpz_mul_2exp(r, r, exponent);
        mpz_mul_2exp(mPlus, mPlus, exponent);
        mpz_mul_2exp(mMinus, mMinus, exponent);
    } else {
        mpz_mul_2exp(s, s, -exponent);
    }

    // 10^k at or just above the upper end of the interval; the estimate is
    // never above it and at most one below.
    int k = static_cast<int>(std::ceil(std::log10(number) - 1e-10));
    if (k >= 0) {
        mpz_ui_pow_ui(digit, 10, k);
        mpz_mul(s, s, digit);
    } else {
        mpz_ui_pow_ui(digit, 10, -k);
        mpz_mul(r, r, digit);
        mpz_mul(mPlus, mPlus, digit);
        mpz_mul(mMinus, mMinus, digit);
    }
    mpz_add(sum, r, mPlus);
    if (inclusive ? mpz_cmp(sum, s) >= 0 : mpz_cmp(sum, s) > 0) {
        mpz_mul_ui(s, s, 10);
        ++k;
    }

    count = 0;
    for (;;) {
        mpz_mul_ui(r, r, 10);
        mpz_mul_ui(mPlus, mPlus, 10);
        mpz_mul_ui(mMinus, mMinus, 10);
        mpz_tdiv_qr(digit, r, r, s);
        int d = static_cast<int>(mpz_get_ui(digit));
        const bool low = inclusive ? mpz_cmp(r, mMinus) <= 0 : mpz_cmp(r, mMinus) < 0;
        mpz_add(sum, r, mPlus);
        const bool high = inclusive ? mpz_cmp(sum, s) >= 0 : mpz_cmp(sum, s) > 0;
        if (low && high) {
            mpz_mul_2exp(sum, r, 1);
            const int side = mpz_cmp(sum, s);
            if (side > 0 || (side == 0 && d % 2 == 1))
                ++d;
        } else if (high) {
            ++d;
        }
        digits[count++] = static_cast<char>('0' + d);
        if (low || high)
            return k;
    }
}

} // namespace

char* WriteShortest(char* out, double number)
{
    if (std::signbit(number))
        *out++ = '-';
    if (std::isnan(number) || std::isinf(number)) {
        const char* word = std::isnan(number) ? "nan" : "inf";
        return std::copy_n(word, 3, out);
    }
    if (number == 0) {
        *out++ = '0';
        return out;
    }
    char digits[17];
    int count;
    const int point = ShortestDigits(std::fabs(number), digits, count);

    // The exponent form: d[.ddd]e±XX, at least two exponent digits.
    const int exponent = point - 1;
    const int exponentDigits = std::abs(exponent) >= 100 ? 3 : 2;
    const int scientific = count + (count > 1) + 2 + exponentDigits;
    // The fixed form, padded with zeros on the side the point lies on.
    const int fixed = point >= count ? point : point > 0 ? count + 1 : 2 - point + count;
    if (fixed <= scientific) {
        if (point <= 0) {
            *out++ = '0';
            *out++ = '.';
            out = std::fill_n(out, -point, '0');
            return std::copy_n(digits, count, out);
        }
        if (point > count)
            return WriteInteger(out, std::fabs(number));
        if (point == count)
            return std::copy_n(digits, count, out);
        out = std::copy_n(digits, point, out);
        *out++ = '.';
        return std::copy_n(digits + point, count - point, out);
    }
    *out++ = digits[0];
    if (count > 1) {
        *out++ = '.';
        out = std::copy_n(digits + 1, count - 1, out);
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (exponentDigits == 3)
        *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}
