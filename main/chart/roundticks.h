#pragma once

#include <string>
#include <vector>

// Ticks of an axis at the multiples of a round step, 1, 2 or 5 times a power
// of ten, with the decimals that tell neighbouring ticks apart.
struct TRoundTicks {
    double Step;
    int Decimals;
};

// The finest round step that puts at most most intervals into low..high.
TRoundTicks RoundTicks(double low, double high, int most);

// A tick of an axis and its label.
struct TAxisTick {
    double Value;
    std::string Label;
};

// The ticks at the round steps inside low..high, labelled with the step's
// decimals.
std::vector<TAxisTick> AxisTicks(double low, double high, int most);

// The most intervals on the chart's axes.
inline constexpr int kMostAngleTicks = 10;
inline constexpr int kMostDTicks = 8;
