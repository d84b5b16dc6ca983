#include "scan/formula.h"

#include "extended/cosine.h"

inline namespace FORMULA_CORE_NS {

namespace {

const Extended kDegToRad = 0.0174532925199432957692369076848861271344_ext;  // π/180
const Extended kCoefficient = 0.111_ext;
const Extended kConstant = 0.559_ext;
const Extended kScale = 120.0;
const Extended kOne = 1.0;

} // namespace

Extended Radians(double angle)
{
    return kDegToRad * angle;
}

double FormulaValue(double angle)
{
    const double k = static_cast<double>(Cosine(Radians(angle)));         // stored
    const Extended p = kConstant - kCoefficient * k;
    const Extended q = kOne - k;
    const Extended s = Sqrt(p * q);
    return static_cast<double>(kScale * s);                              // stored
}

} // namespace FORMULA_CORE_NS
