#pragma once

#include <span>
#include <string>

#include "scan/sweep.h"

// The samples as CSV for other programs: the header "angle,value,d", then one
// line per sample, LF line ends. Each number is the shortest text that reads
// back to the same double, so no bit is lost.
std::string SamplesCsv(std::span<const TSample> samples);
