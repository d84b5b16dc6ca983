#pragma once

// Pixel geometry of windows and controls, whatever the toolkit.

struct TPoint {
    int X, Y;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int Width, Height;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left, Top, Width, Height;
    friend bool operator==(const TRect&, const TRect&) = default;
};
