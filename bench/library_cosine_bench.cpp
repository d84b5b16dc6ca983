// What the project's own cosine is measured against: the same formula with the
// C library's extended cosine, as the x87 backend once computed it.
#include <cmath>

#include <benchmark/benchmark.h>

namespace {

double LibraryFormulaValue(double angle)
{
    const double k = static_cast<double>(std::cos(0.0174532925199432957692369076848861271344L * angle));
    return static_cast<double>(120.0L * std::sqrt((0.559L - 0.111L * k) * (1.0L - k)));
}

void BM_FormulaValueLibraryCosine(benchmark::State& state)
{
    for (auto _ : state) {
        double angle = 0.0;
        for (int i = 0; i < 8999; ++i) {
            benchmark::DoNotOptimize(LibraryFormulaValue(angle));
            angle = static_cast<double>(angle + 0.01L);
        }
    }
}
BENCHMARK(BM_FormulaValueLibraryCosine)->Unit(benchmark::kMicrosecond);

} // namespace
