// The x87 and mpfr backends on the same input in one process: the first
// difference is a failure. Built three times, FUZZ_BACKENDS naming what is
// compared: a reading, a writing or a whole run, so each gets its own speed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "backend_probe.h"

namespace {

enum class TCompared { Reading, Writing, Run };
constexpr TCompared kCompared = TCompared::FUZZ_BACKENDS;

void Agree(const std::string& x87, const std::string& mpfr)
{
    if (x87 != mpfr) {
        std::fprintf(stderr, "x87:  %s\nmpfr: %s\n", x87.c_str(), mpfr.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    if constexpr (kCompared == TCompared::Reading) {
        const std::string text = provider.ConsumeRemainingBytesAsString();
        Agree(kX87Probe.ReadNumber(text), kMpfrProbe.ReadNumber(text));
    } else if constexpr (kCompared == TCompared::Writing) {
        const int decimals = provider.ConsumeIntegralInRange(-2, 220);
        double value = 0;
        const std::string bytes = provider.ConsumeBytesAsString(sizeof value);
        std::memcpy(&value, bytes.data(), bytes.size());
        Agree(kX87Probe.WriteNumber(decimals, value), kMpfrProbe.WriteNumber(decimals, value));
    } else {
        const std::string start = provider.ConsumeRandomLengthString(64);
        const std::string end = provider.ConsumeRemainingBytesAsString();
        Agree(kX87Probe.Run(start, end), kMpfrProbe.Run(start, end));
    }
    return 0;
}
