#pragma once

#include <benchmark/benchmark.h>

#include "extended/extended.h"

// Formula at each of the 8,999 angles of the default sweep, accumulated as the
// sweep accumulates them.
template <double (*Formula)(double)>
void BM_DefaultAngles(benchmark::State& state)
{
    for (auto _ : state) {
        double angle = 0.0;
        for (int i = 0; i < 8999; ++i) {
            benchmark::DoNotOptimize(Formula(angle));
            angle = static_cast<double>(angle + 0.01_ext);
        }
    }
}
