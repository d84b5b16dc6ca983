#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scan/formula.h"
#include "scan/maxlist.h"
#include "scan/sweep.h"

inline namespace FORMULA_CORE_NS {

// The two range texts as the fields are to show them.
struct TRangeTexts {
    std::string Start;
    std::string End;
};

// Orders the two readings, raises a negative start to 0, lowers an end above
// 89.99 to 89.99 and writes both with 2 decimals. Throws EOverflow from StrToNum.
TRangeTexts NormalizeRange(std::string_view startText, std::string_view endText);

// What one run yields beside its report, for a chart or an export.
struct TSweep {
    std::vector<TSample> Samples;  // every sample, in sweep order
    std::vector<TSample> Kept;     // the kept samples, in report order
};

// Sweeps the range the texts give in steps of 0.01 degree and returns the
// report of the 100 largest deviations (lines end in CR LF); fills *sweep from
// the same run when given. Throws EOverflow from StrToNum.
std::string ScanDeviations(std::string_view startText, std::string_view endText, TSweep* sweep = nullptr);

// Header line with the count, then one line per sample in list order.
std::string BuildReport(const TMaxList& list);

// One sample's line of the report, without its line end.
std::string ReportLine(const TSample& sample);

} // namespace FORMULA_CORE_NS
