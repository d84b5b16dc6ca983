#include "roundticks.h"

#include <algorithm>
#include <cmath>

#include "numtext/numtext.h"

namespace {

// mantissa × 10^exponent; a power of ten below one is divided out, so that
// 0.2 is the double nearest 0.2.
double Scaled(int mantissa, int exponent)
{
    return exponent < 0 ? mantissa / std::pow(10.0, -exponent) : mantissa * std::pow(10.0, exponent);
}

} // namespace

TRoundTicks RoundTicks(double low, double high, int most)
{
    const double raw = (high - low) / most;
    const int exponent = int(std::floor(std::log10(raw)));
    for (const int mantissa : {1, 2, 5})
        if (Scaled(mantissa, exponent) >= raw)
            return {Scaled(mantissa, exponent), std::max(0, -exponent)};
    return {Scaled(1, exponent + 1), std::max(0, -exponent - 1)};
}

std::vector<TAxisTick> AxisTicks(double low, double high, int most)
{
    const TRoundTicks round = RoundTicks(low, high, most);
    std::vector<TAxisTick> ticks;
    // A hair's slack: the view's edges are themselves often round.
    const double slack = round.Step * 1e-9;
    for (double k = std::ceil((low - slack) / round.Step); k * round.Step <= high + slack; ++k) {
        const double value = k * round.Step + 0.0;  // never "-0.00"
        ticks.push_back({value, NumToStr(round.Decimals, value)});
    }
    return ticks;
}
