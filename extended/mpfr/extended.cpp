#include "extended/extended.h"

#include <cmath>

static_assert(GMP_NUMB_BITS == 64, "one MPFR limb must hold the 64-bit significand");

inline namespace FORMULA_CORE_NS {

namespace {

constexpr mpfr_prec_t kPrecision = 64;
// The x87 range in MPFR's terms (significands in [1/2, 1)): the largest finite
// value lies below 2^16384, the least subnormal is 2^-16445 = 1/2 × 2^-16444.
constexpr mpfr_exp_t kEmin = -16444;
constexpr mpfr_exp_t kEmax = 16384;

// MPFR's exponent range is per thread; each thread sets it before its first operation.
void EnsureRange()
{
    thread_local const bool set = [] {
        mpfr_set_emin(kEmin);
        mpfr_set_emax(kEmax);
        return true;
    }();
    (void)set;
}

} // namespace

// An MPFR number over an Extended's own storage.
class TView {
public:
    explicit TView(const Extended& value)
    {
        mpfr_custom_init_set(V, value.Kind, value.Exp, kPrecision, const_cast<mp_limb_t*>(&value.Limb));
    }
    // The result of an operation: rounds it to the x87 subnormals and stores it.
    static Extended Store(TView& view, Extended& result, int ternary)
    {
        // Only a result below the least normal needs the second rounding; the
        // test spares MPFR's own, which reads the exponent range again.
        if (mpfr_regular_p(view.V) && mpfr_get_exp(view.V) < kEmin + kPrecision - 1)
            mpfr_subnormalize(view.V, ternary, MPFR_RNDN);
        result.Kind = mpfr_custom_get_kind(view.V);
        result.Exp = result.Kind == MPFR_REGULAR_KIND || result.Kind == -MPFR_REGULAR_KIND
                         ? mpfr_custom_get_exp(view.V) : 0;
        return result;
    }
    mpfr_ptr operator*() { return V; }

private:
    mpfr_t V;
};

namespace {

template <class Operation>
Extended Apply(Operation operation, const Extended& a, const Extended& b)
{
    EnsureRange();
    Extended result;
    TView x(a), y(b), z(result);
    return TView::Store(z, result, operation(*z, *x, *y, MPFR_RNDN));
}

template <class Operation>
Extended Apply(Operation operation, const Extended& a)
{
    EnsureRange();
    Extended result;
    TView x(a), z(result);
    return TView::Store(z, result, operation(*z, *x, MPFR_RNDN));
}

} // namespace

// Widening is exact, and the most frequent operation: done by hand, without MPFR.
Extended::Extended(double value)
{
    const int sign = std::signbit(value) ? -1 : 1;
    if (std::isnan(value)) {
        Kind = MPFR_NAN_KIND;
    } else if (std::isinf(value)) {
        Kind = sign * MPFR_INF_KIND;
    } else if (value == 0) {
        Kind = sign * MPFR_ZERO_KIND;
    } else {
        int exponent;
        // |value| = m × 2^exponent with m in [1/2, 1): 53 bits that fit the limb exactly.
        const double m = std::frexp(std::fabs(value), &exponent);
        Kind = sign * MPFR_REGULAR_KIND;
        Exp = exponent;
        Limb = static_cast<mp_limb_t>(std::ldexp(m, 64));
    }
}

Extended::operator double() const
{
    TView x(*this);
    return mpfr_get_d(*x, MPFR_RNDN);
}

Extended Extended::operator-() const { return Apply(mpfr_neg, *this); }
Extended operator+(const Extended& a, const Extended& b) { return Apply(mpfr_add, a, b); }
Extended operator-(const Extended& a, const Extended& b) { return Apply(mpfr_sub, a, b); }
Extended operator*(const Extended& a, const Extended& b) { return Apply(mpfr_mul, a, b); }
Extended operator/(const Extended& a, const Extended& b) { return Apply(mpfr_div, a, b); }
Extended Sqrt(const Extended& a) { return Apply(mpfr_sqrt, a); }
Extended Abs(const Extended& a) { return Apply(mpfr_abs, a); }

namespace {

template <class Predicate>
bool Compare(Predicate predicate, const Extended& a, const Extended& b)
{
    TView x(a), y(b);
    return predicate(*x, *y) != 0;
}

} // namespace

bool operator==(const Extended& a, const Extended& b) { return Compare(mpfr_equal_p, a, b); }
bool operator<(const Extended& a, const Extended& b) { return Compare(mpfr_less_p, a, b); }
bool operator>(const Extended& a, const Extended& b) { return Compare(mpfr_greater_p, a, b); }
bool operator<=(const Extended& a, const Extended& b) { return Compare(mpfr_lessequal_p, a, b); }
bool operator>=(const Extended& a, const Extended& b) { return Compare(mpfr_greaterequal_p, a, b); }

bool IsInf(const Extended& a) { return a.Kind == MPFR_INF_KIND || a.Kind == -MPFR_INF_KIND; }
bool IsNaN(const Extended& a) { return a.Kind == MPFR_NAN_KIND; }

std::int64_t RoundToInt64(const Extended& a)
{
    TView x(a);
    return mpfr_get_sj(*x, MPFR_RNDN);
}

int BinaryExponent(const Extended& a)
{
    return static_cast<int>(a.Exp - 1);
}

Extended Extended::Infinity()
{
    Extended result;
    result.Kind = MPFR_INF_KIND;
    return result;
}

Extended Extended::FromDecimal(const char* text)
{
    EnsureRange();
    Extended result;
    TView z(result);
    return TView::Store(z, result, mpfr_strtofr(*z, text, nullptr, 0, MPFR_RNDN));
}

std::uint64_t Extended::Significand() const
{
    switch (Kind < 0 ? -Kind : Kind) {
    case MPFR_REGULAR_KIND: {
        // A subnormal keeps its leading bit in MPFR; the x87 unit shifts it down.
        const mpfr_exp_t biased = Exp - 1 + 16383;
        return biased >= 1 ? Limb : Limb >> (1 - biased);
    }
    case MPFR_INF_KIND:
        return std::uint64_t{1} << 63;
    case MPFR_NAN_KIND:
        return std::uint64_t{3} << 62;
    default:
        return 0;
    }
}

std::uint16_t Extended::SignExponent() const
{
    const std::uint16_t sign = Kind < 0 ? 0x8000 : 0;
    switch (Kind < 0 ? -Kind : Kind) {
    case MPFR_REGULAR_KIND: {
        const mpfr_exp_t biased = Exp - 1 + 16383;
        return sign | static_cast<std::uint16_t>(biased >= 1 ? biased : 0);
    }
    case MPFR_INF_KIND:
    case MPFR_NAN_KIND:
        return sign | 0x7FFF;
    default:
        return sign;
    }
}

} // namespace FORMULA_CORE_NS
