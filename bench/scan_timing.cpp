// The default scan's timing where Google Benchmark is not built (WebAssembly
// under node): the time from the start of the process to main, node's own
// start and the compilation of the code, then the first scan, then the mean of
// the scans after it; last the CSV of its samples, per number written.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <emscripten.h>

#include "samples/samplescsv.h"
#include "scan/scan.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char** argv)
{
    // performance.now() counts from the start of the process, before node has read the code.
    const double started = EM_ASM_DOUBLE({ return performance.now(); });
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 200;
    auto before = std::chrono::steady_clock::now();
    std::size_t length = ScanDeviations("0.00", "89.99").size();
    const double first = Milliseconds(std::chrono::steady_clock::now() - before);
    before = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i)
        length += ScanDeviations("0.00", "89.99").size();
    const double each = Milliseconds(std::chrono::steady_clock::now() - before) / repetitions;
    TSweep sweep;
    ScanDeviations("0.00", "89.99", &sweep);
    before = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i)
        length += SamplesCsv(sweep.Samples).size();
    const double number = Milliseconds(std::chrono::steady_clock::now() - before) * 1000
                          / (repetitions * 3.0 * sweep.Samples.size());
    std::printf("start to main (node, compilation) %.1f ms\nfirst ScanDeviations %.2f ms\n"
                "ScanDeviations %.3f ms (mean of %d)\nSamplesCsv %.2f us a number (%zu characters in all)\n",
                started, first, each, repetitions, number, length);
    return 0;
}
