#include "scan/scan.h"

#include <cmath>
#include <vector>

#include "numtext/numtext.h"

inline namespace FORMULA_CORE_NS {

// Extended constants are the extended values nearest their decimals; the one
// double constant is the double nearest 89.99, which lies just below the
// extended one, so an end equal to it stays and anything larger is lowered.
namespace {

const Extended kEndLimit = 89.99_ext;
constexpr double kEndLimitStored = 89.99;
constexpr std::int32_t kRetained = 100;
constexpr int kRangeDecimals = 2;
constexpr int kReportDecimals = 4;

// The signed difference the report shows, computed anew from the stored doubles.
double Difference(const TDegClass& sample)
{
    return static_cast<double>(Extended(sample.Angle) - sample.Value);
}

// The list's samples in list order, each with its signed difference as the report computes it.
std::vector<TSample> KeptSamples(const TMaxList& list)
{
    std::vector<TSample> kept(list.Count());
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const TDegClass* sample = list.GetItem(i);
        kept[i] = {sample->Angle, sample->Value, Difference(*sample)};
    }
    return kept;
}

} // namespace

TRangeTexts NormalizeRange(std::string_view startText, std::string_view endText)
{
    double start = StrToNum(startText);
    double end = StrToNum(endText);
    if (start > end)
        std::swap(start, end);
    // Compared as Extended, like the end below: a double compared with 0 and
    // then replaced by 0 is what Emscripten's compiler (3.1.6, from -O1) turns
    // into WebAssembly's maximum, which takes -0 to +0.
    if (Extended(start) < 0.0)
        start = 0.0;
    if (end > kEndLimit)
        end = kEndLimitStored;
    return {NumToStr(kRangeDecimals, start), NumToStr(kRangeDecimals, end)};
}

std::string ScanDeviations(std::string_view startText, std::string_view endText, TSweep* sweep)
{
    const double start = StrToNum(startText);
    const double end = StrToNum(endText);
    if (sweep)
        *sweep = {};
    TMaxList list;
    SweepRange(start, end, [&list, sweep](const TSample& s) {
        if (sweep)
            sweep->Samples.push_back(s);
        TDegClass* sample = list.AddItem();
        sample->Angle = s.Angle;
        sample->Value = s.Value;
        // |D| is the rounded |Angle - Value|: rounding is symmetric about zero.
        sample->Deviation = std::fabs(s.D);
        if (list.Count() > kRetained)
            list.DeleteMin();
    });
    list.SortByDeviation();
    if (sweep)
        sweep->Kept = KeptSamples(list);
    return BuildReport(list);
}

std::string BuildReport(const TMaxList& list)
{
    std::string report = IntToStr(list.Count()) + " максимальных отклонений:\r\n";
    for (const TSample& sample : KeptSamples(list)) {
        report += ReportLine(sample);
        report += "\r\n";
    }
    return report;
}

std::string ReportLine(const TSample& sample)
{
    return NumToStr(kReportDecimals, sample.Angle) + " => " + NumToStr(kReportDecimals, sample.Value) + "  d="
           + NumToStr(kReportDecimals, sample.D);
}

} // namespace FORMULA_CORE_NS
