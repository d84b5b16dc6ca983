#include <benchmark/benchmark.h>

#include "default_angles.h"
#include "numtext/numtext.h"
#include "scan/scan.h"

namespace {

void BM_ScanDeviations(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanDeviations("0.00", "89.99"));
}
BENCHMARK(BM_ScanDeviations)->Unit(benchmark::kMicrosecond);

// The floor of the default scan, what no implementation of it can avoid:
// 8,999 formula values over the same accumulated angles...
BENCHMARK(BM_DefaultAngles<FormulaValue>)->Name("BM_FloorFormulaValue")->Unit(benchmark::kMicrosecond);

// ...and 8,899 linear searches for the least of 101 doubles in a plain array.
void BM_FloorMinSearch(benchmark::State& state)
{
    double values[101];
    for (int i = 0; i < 101; ++i)
        values[i] = (i * 7919 % 101) * 0.001;
    for (auto _ : state) {
        for (int n = 0; n < 8899; ++n) {
            benchmark::DoNotOptimize(values);
            int chosen = 0;
            double least = values[0];
            for (int i = 1; i < 101; ++i) {
                if (values[i] < least) {
                    least = values[i];
                    chosen = i;
                }
            }
            benchmark::DoNotOptimize(chosen);
        }
    }
}
BENCHMARK(BM_FloorMinSearch)->Unit(benchmark::kMicrosecond);

// ...and 8,999 creations and destructions of a sample, one per sample swept.
void BM_FloorAllocation(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < 8999; ++i) {
            auto* sample = new TDegClass;
            benchmark::DoNotOptimize(sample);
            delete sample;
        }
    }
}
BENCHMARK(BM_FloorAllocation)->Unit(benchmark::kMicrosecond);

void BM_StrToNum(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(StrToNum("89.99"));
        benchmark::DoNotOptimize(StrToNum(" 12,3456 "));
        benchmark::DoNotOptimize(StrToNum("1.7976931348623158e308"));
    }
}
BENCHMARK(BM_StrToNum);

void BM_NumToStr(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumToStr(2, 89.99));
        benchmark::DoNotOptimize(NumToStr(4, 89.98000000000913));
        benchmark::DoNotOptimize(NumToStr(4, -0.2629));
    }
}
BENCHMARK(BM_NumToStr);

} // namespace
