#include "scan/scan.h"

#include <cmath>

#include "numtext/numtext.h"

// Extended constants are the extended values nearest their decimals; the one
// double constant is the double nearest 89.99, which lies just below the
// extended one, so an end equal to it stays and anything larger is lowered.
namespace {

constexpr long double kDegToRad = 0.0174532925199432957692369076848861271344L;  // π/180
// π/2 in two parts: the extended value nearest it, and the rest.
constexpr long double kHalfPi = 1.570796326794896619256404479703093102216L;
constexpr long double kHalfPiRest = -2.50827880633416601177866354016537851e-20L;
constexpr long double kCoefficient = 0.111L;
constexpr long double kConstant = 0.559L;
constexpr long double kScale = 120.0L;
constexpr long double kStep = 0.01L;
constexpr long double kEndLimit = 89.99L;
constexpr double kEndLimitStored = 89.99;
constexpr std::int32_t kRetained = 100;
constexpr int kRangeDecimals = 2;
constexpr int kReportDecimals = 4;

static_assert(kEndLimitStored < kEndLimit);

// The extended cosine on [0, π/2]. Past π/4 it is the sine of the complement:
// the subtraction from kHalfPi is exact there and kHalfPiRest restores the
// rest, which spares the library's general argument reduction (half the run).
long double Cosine(long double x)
{
    return x > kHalfPi / 2 ? std::sin((kHalfPi - x) + kHalfPiRest) : std::cos(x);
}

} // namespace

TRangeTexts NormalizeRange(std::string_view startText, std::string_view endText)
{
    double start = StrToNum(startText);
    double end = StrToNum(endText);
    if (start > end)
        std::swap(start, end);
    if (start < 0)
        start = 0.0;
    if (end > kEndLimit)
        end = kEndLimitStored;
    return {NumToStr(kRangeDecimals, start), NumToStr(kRangeDecimals, end)};
}

double FormulaValue(double angle)
{
    const long double x = kDegToRad * angle;
    const double k = static_cast<double>(Cosine(x));                      // stored
    const long double p = kConstant - kCoefficient * k;
    const long double q = 1.0L - k;
    const long double s = std::sqrt(p * q);
    return static_cast<double>(kScale * s);                              // stored
}

std::string ScanDeviations(std::string_view startText, std::string_view endText)
{
    const double start = StrToNum(startText);
    const double end = StrToNum(endText);
    TMaxList list;
    // The angle is accumulated, never recomputed as start + n × step: its
    // drift decides whether the last step lands on the end or just past it.
    for (double angle = start; angle <= end; angle = static_cast<double>(angle + kStep)) {
        const double r = FormulaValue(angle);
        TDegClass* sample = list.AddItem();
        sample->Angle = angle;
        sample->Value = r;
        sample->Deviation = static_cast<double>(std::fabs(static_cast<long double>(angle) - r));
        if (list.Count() > kRetained)
            list.DeleteMin();
    }
    list.SortByDeviation();
    return BuildReport(list);
}

std::string BuildReport(const TMaxList& list)
{
    std::string report = IntToStr(list.Count()) + " максимальных отклонений:\r\n";
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const TDegClass* sample = list.GetItem(i);
        const double d = static_cast<double>(static_cast<long double>(sample->Angle) - sample->Value);
        report += NumToStr(kReportDecimals, sample->Angle);
        report += " => ";
        report += NumToStr(kReportDecimals, sample->Value);
        report += "  d=";
        report += NumToStr(kReportDecimals, d);
        report += "\r\n";
    }
    return report;
}
