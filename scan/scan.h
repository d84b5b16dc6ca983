#pragma once

#include <string>
#include <string_view>

#include "scan/maxlist.h"

// The two range texts as the fields are to show them.
struct TRangeTexts {
    std::string Start;
    std::string End;
};

// Orders the two readings, raises a negative start to 0, lowers an end above
// 89.99 to 89.99 and writes both with 2 decimals. Throws EOverflow from StrToNum.
TRangeTexts NormalizeRange(std::string_view startText, std::string_view endText);

// Sweeps the range the texts give in steps of 0.01 degree and returns the
// report of the 100 largest deviations (lines end in CR LF). Throws EOverflow
// from StrToNum.
std::string ScanDeviations(std::string_view startText, std::string_view endText);

// r(angle) = 120 * sqrt((0.559 - 0.111 cos angle) (1 - cos angle)), angle in degrees.
double FormulaValue(double angle);

// Header line with the count, then one line per sample in list order.
std::string BuildReport(const TMaxList& list);
