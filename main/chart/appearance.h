#pragma once

// The chart's colours, lines and markers.

struct TColour {
    int Red, Green, Blue;
};

// Every sample, one pixel wide: the samples lie less than a pixel apart.
inline constexpr TColour kLineColour{0x20, 0x60, 0xC0};
inline constexpr int kLineWidth = 1;

// The report's samples, and the largest deviation ringed over all of them.
inline constexpr TColour kMarkerColour{0xE0, 0x40, 0x20};
inline constexpr int kMarkerSize = 7;
inline constexpr int kLargestMarkerSize = 13;
inline constexpr TColour kRingColour{0, 0, 0};
inline constexpr int kRingWidth = 2;

inline constexpr TColour kZeroLineColour{0xA0, 0xA0, 0xA4};

// "Нет отсчётов", half as large again as the chart's other texts.
inline constexpr TColour kNoSamplesColour{0x80, 0x80, 0x80};
inline constexpr double kNoSamplesScale = 1.5;
