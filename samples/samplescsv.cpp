#include "samples/samplescsv.h"

#ifdef FORMULA_OWN_SHORTEST
#include "samples/shortest.h"
#else
#include <charconv>
#endif

namespace {

// The shortest text that reads back to the same double; any double fits.
void AppendNumber(std::string& text, double number)
{
    char digits[32];
#ifdef FORMULA_OWN_SHORTEST
    text.append(digits, WriteShortest(digits, number));
#else
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, number);
    text.append(digits, result.ptr);
#endif
}

} // namespace

std::string SamplesCsv(std::span<const TSample> samples)
{
    std::string csv = "angle,value,d\n";
    // The longest double takes 24 characters.
    csv.reserve(csv.size() + samples.size() * 3 * 25);
    for (const TSample& sample : samples) {
        AppendNumber(csv, sample.Angle);
        csv += ',';
        AppendNumber(csv, sample.Value);
        csv += ',';
        AppendNumber(csv, sample.D);
        csv += '\n';
    }
    return csv;
}
