// cosine-check: the exhaustive check of the extended cosine. Over every angle a
// sweep reaches from a two-decimal range (each start 0.00 … 89.99 up to 89.99)
// and over 10^6 random arguments in [0, π/2], it measures Cosine against MPFR
// at 128 bits, and counts the angles whose r, and whose report line, differs
// from the one computed with the C library's extended cosine.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "cosine_reference.h"
#include "extended/fpu.h"
#include "numtext/numtext.h"
#include "scan/scan.h"

namespace {

// r as before the project's own cosine: the C library's extended cosine.
double LibraryFormulaValue(double angle)
{
    const long double k = static_cast<double>(std::cos(0.0174532925199432957692369076848861271344L * angle));
    return static_cast<double>(120.0L * std::sqrt((0.559L - 0.111L * k) * (1.0L - k)));
}

struct TTally {
    long long Count = 0;
    long long Over = 0;  // errors of one ulp or more
    double Worst = 0;
    Extended WorstAt;

    void Add(const Extended& x)
    {
        const double error = CosineUlpError(x);
        ++Count;
        Over += error >= 1;
        if (error > Worst) {
            Worst = error;
            WorstAt = x;
        }
    }
    void Print(const char* what) const
    {
        std::printf("%s: %lld arguments, largest error %.4f ulp at %.21Lg, %lld of 1 ulp or more\n", what, Count,
                    Worst, static_cast<long double>(static_cast<double>(WorstAt)), Over);
    }
};

} // namespace

int main()
{
    SetFpuMode();
    TTally sweeps;
    long long rDiffers = 0;
    long long textDiffers = 0;  // of those, where a report line would read differently
    const double end = StrToNum("89.99");
    for (int start = 0; start <= 8999; ++start) {
        const double from = StrToNum(NumToStr(2, start / 100.0));
        SweepRange(from, end, [&](const TSample& s) {
            sweeps.Add(Radians(s.Angle));
            const double library = LibraryFormulaValue(s.Angle);
            if (s.Value != library) {
                ++rDiffers;
                const TSample before{s.Angle, library, static_cast<double>(Extended(s.Angle) - library)};
                textDiffers += ReportLine(s) != ReportLine(before);
            }
        });
    }
    sweeps.Print("sweep angles");
    std::printf("r differs from the library cosine's at %lld of them, its report line at %lld\n", rDiffers,
                textDiffers);

    TTally random;
    std::mt19937_64 generator(20261208);
    const Extended halfPi = 1.570796326794896619256404479703093102216_ext;
    for (int i = 0; i < 1000000; ++i)
        random.Add(halfPi * (static_cast<double>(generator() >> 11) * 0x1p-53));
    random.Print("random in [0, pi/2]");
    return sweeps.Over + random.Over ? 1 : 0;
}
