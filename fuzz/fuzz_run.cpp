// A whole run on two arbitrary field texts, in the window's calling order:
// the report's count matches its lines and is at most 100, every line has the
// report's shape, the deviations descend, and every sample is freed.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "fixed_form.h"
#include "extended/fpu.h"
#include "main/form/button1click.h"
#include "numtext/numtext.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckReport(const std::string& report)
{
    const std::string_view header = " максимальных отклонений:\r\n";
    const std::size_t headerEnd = report.find(header);
    Check(headerEnd != std::string::npos && headerEnd > 0);
    const std::string countText = report.substr(0, headerEnd);
    Check(countText.find_first_not_of("0123456789") == std::string::npos);
    const int count = std::stoi(countText);
    Check(count <= 100 && IntToStr(count) == countText);

    int lines = 0;
    double previous = INFINITY;
    std::size_t from = headerEnd + header.size();
    for (std::size_t end; (end = report.find("\r\n", from)) != std::string::npos; from = end + 2) {
        const std::string_view line(report.data() + from, end - from);
        const std::size_t arrow = line.find(" => ");
        const std::size_t d = line.find("  d=");
        Check(arrow != std::string_view::npos && d != std::string_view::npos && arrow < d);
        const std::string_view angle = line.substr(0, arrow);
        const std::string_view value = line.substr(arrow + 4, d - arrow - 4);
        const std::string_view difference = line.substr(d + 4);
        Check(IsFixedForm(angle, 4) && IsFixedForm(value, 4) && IsFixedForm(difference, 4));
        // Rounding to 4 decimals keeps a descending order descending, if not strictly.
        const double deviation = std::fabs(StrToNum(difference));
        Check(deviation <= previous);
        previous = deviation;
        ++lines;
    }
    Check(from == report.size() && lines == count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string edit1 = provider.ConsumeRandomLengthString(size);
    TPlainTexts texts(edit1, provider.ConsumeRemainingBytesAsString());

    ResetFpu();
    try {
        RunButton1Click(texts);
        CheckReport(texts.GetText(TControlId::Memo1));
    } catch (const EOverflow&) {
    }
    Check(TDegClass::Live() == 0);
    Check((FpuStatusWord() & kFpuInvalid) == 0);
    return 0;
}
