#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "lines.h"
#include "samples/samplescsv.h"
#include "scan/scan.h"

namespace {

// Lines ended by LF; a CR anywhere or text after the last line end fails.
std::vector<std::string> Lines(std::string_view csv)
{
    EXPECT_EQ(csv.find('\r'), std::string_view::npos);
    return SplitLines(csv, "\n");
}

// Reads a field as another program would: the whole field, or a failure.
// strtod, since not every C++ library reads a double with std::from_chars.
double Read(std::string_view field)
{
    const std::string text(field);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    EXPECT_EQ(end, text.c_str() + text.size()) << field;
    return number;
}

TSample ReadRow(std::string_view line)
{
    const std::size_t first = line.find(',');
    const std::size_t second = line.find(',', first + 1);
    EXPECT_NE(second, std::string_view::npos) << line;
    EXPECT_EQ(line.find(',', second + 1), std::string_view::npos) << line;
    return {Read(line.substr(0, first)), Read(line.substr(first + 1, second - first - 1)), Read(line.substr(second + 1))};
}

// Bit for bit, so that -0 and 0 differ (not every C++ library has std::bit_cast).
bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(SamplesCsv, DefaultSweepReadsBackBitForBit)
{
    TSweep sweep;
    ScanDeviations("0.00", "89.99", &sweep);
    const std::string csv = SamplesCsv(sweep.Samples);
    const std::vector<std::string> lines = Lines(csv);
    ASSERT_EQ(lines.size(), 9000u);
    EXPECT_EQ(lines[0], "angle,value,d");
    EXPECT_EQ(lines[1], "0,0,0");
    EXPECT_TRUE(lines.back().starts_with("89.98000000000913,")) << lines.back();
    for (std::size_t i = 0; i < sweep.Samples.size(); ++i) {
        const TSample row = ReadRow(lines[i + 1]);
        const TSample& sample = sweep.Samples[i];
        ASSERT_TRUE(Same(row.Angle, sample.Angle) && Same(row.Value, sample.Value) && Same(row.D, sample.D))
            << "row " << i + 1 << ": " << lines[i + 1];
    }
}

TEST(SamplesCsv, NoSamplesGiveTheHeaderAlone)
{
    EXPECT_EQ(SamplesCsv({}), "angle,value,d\n");
}

struct Number {
    double value;
    const char* text;
};

class SamplesCsvWrites : public testing::TestWithParam<Number> {};

// The shortest text, never a rounded one, whatever the magnitude.
TEST_P(SamplesCsvWrites, ShortestTextThatReadsBack)
{
    const Number& c = GetParam();
    const TSample sample{c.value, -c.value, c.value};
    const std::string csv = SamplesCsv(std::span(&sample, 1));
    const std::string text(c.text);
    const std::string negated = text.starts_with('-') ? text.substr(1) : "-" + text;
    EXPECT_EQ(csv, "angle,value,d\n" + text + "," + negated + "," + text + "\n");
    const TSample row = ReadRow(Lines(csv).at(1));
    EXPECT_TRUE(Same(row.Angle, c.value) && Same(row.Value, -c.value) && Same(row.D, c.value)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, SamplesCsvWrites, testing::Values(
    Number{0.0, "0"}, Number{-0.0, "-0"}, Number{0.1, "0.1"}, Number{45.0, "45"},
    Number{0.09999999999999999, "0.09999999999999999"}, Number{89.98000000000913, "89.98000000000913"},
    Number{-0.2629, "-0.2629"}, Number{1e-300, "1e-300"},
    Number{std::numeric_limits<double>::denorm_min(), "5e-324"},
    Number{std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
    Number{std::numeric_limits<double>::infinity(), "inf"}));

} // namespace
