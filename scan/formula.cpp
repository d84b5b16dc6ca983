#include "scan/formula.h"

#include <cmath>

namespace {

constexpr long double kDegToRad = 0.0174532925199432957692369076848861271344L;  // π/180
// π/2 in two parts: the extended value nearest it, and the rest.
constexpr long double kHalfPi = 1.570796326794896619256404479703093102216L;
constexpr long double kHalfPiRest = -2.50827880633416601177866354016537851e-20L;
constexpr long double kCoefficient = 0.111L;
constexpr long double kConstant = 0.559L;
constexpr long double kScale = 120.0L;

// The extended cosine on [0, π/2]. Past π/4 it is the sine of the complement:
// the subtraction from kHalfPi is exact there and kHalfPiRest restores the
// rest, which spares the library's general argument reduction (half the run).
long double Cosine(long double x)
{
    return x > kHalfPi / 2 ? std::sin((kHalfPi - x) + kHalfPiRest) : std::cos(x);
}

} // namespace

double FormulaValue(double angle)
{
    const long double x = kDegToRad * angle;
    const double k = static_cast<double>(Cosine(x));                      // stored
    const long double p = kConstant - kCoefficient * k;
    const long double q = 1.0L - k;
    const long double s = std::sqrt(p * q);
    return static_cast<double>(kScale * s);                              // stored
}

