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
#include "main/form/button1click.h"
#include "main/form/failuretext.h"
#include "main/form/form.h"
#include "samples/samplescsv.h"

namespace {

void PrintUsage(std::ostream& out)
{
    out << "Usage: formula-scan [START [END]]\n"
           "       formula-scan --samples [START [END]]\n"
           "Sweeps START to END degrees (defaults \""
        << Control(TControlId::Edit1).Text << "\" and \"" << Control(TControlId::Edit2).Text
        << "\") in steps of 0.01\n"
           "and lists the 100 angles where r(a) = 120 sqrt((0.559 - 0.111 cos a)(1 - cos a))\n"
           "deviates most from a. Any argument but --help and --version is an angle text,\n"
           "and so is --samples anywhere but first.\n"
           "--samples writes every sample instead, as CSV with the header angle,value,d\n"
           "(d = angle - value), each number the shortest text that reads back to the\n"
           "same double.\n";
}

// The press reads the fields a second time once it has written the range
// back: from then on they hold what the window's fields would show, even when
// the scan then fails.
class TTerminalTexts final : public TPlainTexts {
public:
    using TPlainTexts::TPlainTexts;

    std::string GetText(TControlId control) const override
    {
        if (control == TControlId::Edit2)
            ++Edit2Reads;
        return TPlainTexts::GetText(control);
    }

    bool WrittenBack() const { return Edit2Reads > 1; }

    // The fields as the window labels them.
    void PrintFields() const
    {
        std::cout << Control(TControlId::Label1).Text << ' ' << TPlainTexts::GetText(TControlId::Edit1) << '\n'
                  << Control(TControlId::Label2).Text << ' ' << TPlainTexts::GetText(TControlId::Edit2) << '\n';
    }

private:
    mutable int Edit2Reads = 0;
};

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
            PrintUsage(std::cout);
            return 0;
        }
        if (arg == "--version") {
            std::cout << "formula-scan " FORMULA_VERSION "\n";
            return 0;
        }
        fields.push_back(arg);
    }
    if (fields.size() > 2) {
        PrintUsage(std::cerr);
        return 2;
    }

    SetFpuMode();
    TTerminalTexts texts(fields.size() > 0 ? fields[0] : Control(TControlId::Edit1).Text,
                         fields.size() > 1 ? fields[1] : Control(TControlId::Edit2).Text);
    TSweep sweep;
    try {
        RunButton1Click(texts, samples ? &sweep : nullptr);
    } catch (...) {
        if (!samples && texts.WrittenBack())
            texts.PrintFields();
        return Fail();
    }
    if (samples) {
#ifdef _WIN32
        // The CSV keeps its LF line ends on every platform.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        std::cout << SamplesCsv(sweep.Samples);
    } else {
        texts.PrintFields();
        std::cout << WithLineFeeds(texts.GetText(TControlId::Memo1));
    }
    return std::cout.flush() ? 0 : 1;
}
