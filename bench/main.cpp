#include <benchmark/benchmark.h>

#include "extended/fpu.h"

// Measured in the x87 mode the programs run in, whatever the process started with.
int main(int argc, char** argv)
{
    SetFpuMode();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
