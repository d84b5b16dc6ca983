// What the project's own cosine is measured against: the same formula with the
// C library's extended cosine, as the x87 backend once computed it.
#include <cmath>

#include <benchmark/benchmark.h>

#include "default_angles.h"

namespace {

double LibraryFormulaValue(double angle)
{
    const double k = static_cast<double>(std::cos(0.0174532925199432957692369076848861271344L * angle));
    return static_cast<double>(120.0L * std::sqrt((0.559L - 0.111L * k) * (1.0L - k)));
}

BENCHMARK(BM_DefaultAngles<LibraryFormulaValue>)->Name("BM_FormulaValueLibraryCosine")->Unit(benchmark::kMicrosecond);

} // namespace
