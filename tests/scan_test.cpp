#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lines.h"
#include "numtext/numtext.h"
#include "scan/scan.h"

namespace {

std::vector<std::string> Lines(const std::string& report)
{
    return SplitLines(report, "\r\n");
}

struct Range {
    const char* start;
    const char* end;
    const char* startShown;
    const char* endShown;
};

class NormalizeRangeWrites : public testing::TestWithParam<Range> {};

TEST_P(NormalizeRangeWrites, OrderedLimitedTexts)
{
    const Range& c = GetParam();
    const TRangeTexts shown = NormalizeRange(c.start, c.end);
    EXPECT_EQ(shown.Start, c.startShown) << c.start << " / " << c.end;
    EXPECT_EQ(shown.End, c.endShown) << c.start << " / " << c.end;
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalizeRangeWrites, testing::Values(
    Range{"0.00", "89.99", "0.00", "89.99"}, Range{"45", "45", "45.00", "45.00"},
    Range{"", "", "0.00", "0.00"}, Range{"89.99", "0", "0.00", "89.99"},
    Range{"100", "-5", "0.00", "89.99"}, Range{"-5", "100", "0.00", "89.99"},
    Range{"95", "100", "95.00", "89.99"}, Range{"-5", "-1", "0.00", "-1.00"},
    Range{"0", "90", "0.00", "89.99"}, Range{"12,5", "20", "12.50", "20.00"},
    Range{"12.3456", "12.4", "12.35", "12.40"}, Range{"-0", "1", "-0.00", "1.00"},
    Range{"0", "89.990000000000009", "0.00", "89.99"},  // the next double above 89.99
    Range{"1e5120", "1e5120", "+Inf", "89.99"}, Range{"-1e5120", "-1e5120", "0.00", "-Inf"},
    Range{"1e5120", "3", "3.00", "89.99"}, Range{"-1e5120", "3", "0.00", "3.00"},
    Range{"1.79e308", "1.79e308", " 1.8E+0308", "89.99"}));

TEST(NormalizeRange, FirstReadingFailureReadsNoFurther)
{
    EXPECT_THROW(NormalizeRange("1e400", "5"), EOverflow);
    EXPECT_THROW(NormalizeRange("5", "1e400"), EOverflow);
}

TEST(ScanDeviations, DefaultReport)
{
    const std::vector<std::string> lines = Lines(ScanDeviations("0.00", "89.99"));
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0], "100 максимальных отклонений:");
    EXPECT_EQ(lines[1], "89.9800 => 89.7008  d=0.2792");
    EXPECT_EQ(lines[2], "89.9700 => 89.6914  d=0.2786");
    EXPECT_EQ(lines[3], "89.9600 => 89.6820  d=0.2780");
    EXPECT_EQ(lines[27], "89.7200 => 89.4566  d=0.2634");
    EXPECT_EQ(lines[28], "69.0600 => 69.3229  d=-0.2629");
    EXPECT_EQ(lines[100], "89.7100 => 89.4472  d=0.2628");
    for (int i = 1; i <= 27; ++i)
        EXPECT_EQ(lines[i].substr(0, 7), NumToStr(4, 89.99 - 0.01 * i)) << i;
    for (int i = 28; i <= 99; ++i) {
        EXPECT_NE(lines[i].find("d=-0.26"), std::string::npos) << lines[i];
        const double angle = StrToNum(lines[i].substr(0, 7));
        EXPECT_TRUE(angle >= 68.70 && angle <= 69.41) << lines[i];
    }
}

struct Sweep {
    const char* start;
    const char* end;
    const char* header;
    const char* lastLine;
};

class ScanDeviationsSweeps : public testing::TestWithParam<Sweep> {};

// The accumulated angle drifts; these counts show where the last step lands.
TEST_P(ScanDeviationsSweeps, CountsAndLastSample)
{
    const Sweep& c = GetParam();
    const std::vector<std::string> lines = Lines(ScanDeviations(c.start, c.end));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), c.header);
    EXPECT_EQ(lines.size() > 1 ? lines.back() : "", c.lastLine);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ScanDeviationsSweeps, testing::Values(
    Sweep{"45.00", "45.00", "1 максимальных отклонений:", "45.0000 => 45.0181  d=-0.0181"},
    Sweep{"0.00", "0.00", "1 максимальных отклонений:", "0.0000 => 0.0000  d=0.0000"},
    Sweep{"-0.00", "0.00", "1 максимальных отклонений:", "-0.0000 => 0.0000  d=-0.0000"},
    Sweep{"0.00", "1.00", "100 максимальных отклонений:", "0.0000 => 0.0000  d=0.0000"},
    Sweep{"0.00", "0.10", "11 максимальных отклонений:", "0.0000 => 0.0000  d=0.0000"},
    Sweep{"89.98", "89.99", "1 максимальных отклонений:", "89.9800 => 89.7008  d=0.2792"},
    Sweep{"89.97", "89.99", "2 максимальных отклонений:", "89.9700 => 89.6914  d=0.2786"},
    Sweep{"12.35", "12.40", "6 максимальных отклонений:", "12.3500 => 12.2532  d=0.0968"},
    Sweep{"95.00", "89.99", "0 максимальных отклонений:", ""}));

TEST(ScanDeviations, ElevenSamplesUpToTheDriftedTenth)
{
    const std::vector<std::string> lines = Lines(ScanDeviations("0.00", "0.10"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[1].substr(0, 6), "0.1000");
}

TEST(ScanDeviations, FreesEverySample)
{
    const std::ptrdiff_t live = TDegClass::Live();
    ScanDeviations("0.00", "89.99");
    EXPECT_EQ(TDegClass::Live(), live);
    EXPECT_THROW(ScanDeviations(" 1.8E+0308", "89.99"), EOverflow);
    EXPECT_EQ(TDegClass::Live(), live);
}

// The walk hands out the very doubles the report is written from.
TEST(ScanDeviations, SweepHoldsEverySampleAndTheKeptOnesInReportOrder)
{
    TSweep sweep;
    sweep.Samples.resize(3);  // a reused sweep starts afresh
    const std::vector<std::string> lines = Lines(ScanDeviations("0.00", "89.99", &sweep));
    ASSERT_EQ(sweep.Samples.size(), 8999u);
    ASSERT_EQ(sweep.Kept.size(), 100u);
    EXPECT_EQ(sweep.Samples.back().Angle, 89.98000000000913);

    double angle = 0.0;
    for (const TSample& s : sweep.Samples) {
        ASSERT_EQ(s.Angle, angle);
        ASSERT_EQ(s.Value, FormulaValue(angle));
        ASSERT_EQ(s.D, static_cast<double>(Extended(s.Angle) - s.Value));
        angle = static_cast<double>(angle + 0.01_ext);
    }
    for (std::size_t i = 0; i < sweep.Kept.size(); ++i) {
        const TSample& k = sweep.Kept[i];
        EXPECT_EQ(lines[i + 1], NumToStr(4, k.Angle) + " => " + NumToStr(4, k.Value) + "  d=" + NumToStr(4, k.D));
        const std::size_t n = static_cast<std::size_t>(std::llround(k.Angle * 100));
        ASSERT_LT(n, sweep.Samples.size());
        EXPECT_EQ(sweep.Samples[n].Angle, k.Angle);
        EXPECT_EQ(sweep.Samples[n].D, k.D);
    }
}

TEST(FormulaValue, ExactAtZero)
{
    EXPECT_EQ(FormulaValue(0.0), 0.0);
    EXPECT_EQ(FormulaValue(-0.0), 0.0);
}

} // namespace
