// formula-scan: the text-mode twin of the window. Its two arguments stand for
// the two angle fields and go through the same calling order as a press of the
// button: read, normalise, write back, read again, scan, show. With --samples
// it shows every sample of that scan as CSV instead of the fields and report.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "extended/fpu.h"
#include "main/form/failuretext.h"
#include "samples/samplescsv.h"
#include "scan/scan.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: formula-scan [START [END]]\n"
    "       formula-scan --samples [START [END]]\n"
    "Sweeps START to END degrees (defaults \"0.00\" and \"89.99\") in steps of 0.01\n"
    "and lists the 100 angles where r(a) = 120 sqrt((0.559 - 0.111 cos a)(1 - cos a))\n"
    "deviates most from a. Any argument but --help and --version is an angle text,\n"
    "and so is --samples anywhere but first.\n"
    "--samples writes every sample instead, as CSV with the header angle,value,d\n"
    "(d = angle - value), each number the shortest text that reads back to the\n"
    "same double.\n";

// The report as text lines end on this platform.
std::string WithLineFeeds(std::string_view report)
{
    std::string text;
    text.reserve(report.size());
    for (std::size_t i = 0; i < report.size(); ++i)
        if (!(report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n'))
            text += report[i];
    return text;
}

int Fail()
{
    std::cout.flush();
    std::cerr << "formula-scan: " << FailureText() << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const bool samples = argc > 1 && std::string_view(argv[1]) == "--samples";
    std::vector<std::string_view> fields;
    for (int i = samples ? 2 : 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "formula-scan " FORMULA_VERSION "\n";
            return 0;
        }
        fields.push_back(arg);
    }
    if (fields.size() > 2) {
        std::cerr << kUsage;
        return 2;
    }

    SetFpuMode();
    std::string edit1(fields.size() > 0 ? fields[0] : "0.00");
    std::string edit2(fields.size() > 1 ? fields[1] : "89.99");
    try {
        const TRangeTexts range = NormalizeRange(edit1, edit2);
        edit1 = range.Start;
        edit2 = range.End;
        if (samples) {
#ifdef _WIN32
            // The CSV keeps its LF line ends on every platform.
            _setmode(_fileno(stdout), _O_BINARY);
#endif
            TSweep sweep;
            ScanDeviations(edit1, edit2, &sweep);
            std::cout << SamplesCsv(sweep.Samples);
        } else {
            std::cout << "Начальный угол: " << edit1 << "\nКонечный угол: " << edit2 << '\n';
            std::cout << WithLineFeeds(ScanDeviations(edit1, edit2));
        }
    } catch (...) {
        return Fail();
    }
    return std::cout.flush() ? 0 : 1;
}
