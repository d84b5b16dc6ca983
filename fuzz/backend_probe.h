#pragma once

#include <string>
#include <string_view>

// What one backend's build of the core makes of an input, as text that
// compares across backends: the result's bits, or the failure's message.
struct TProbe {
    std::string (*ReadNumber)(std::string_view text);
    std::string (*WriteNumber)(int decimals, double value);
    std::string (*Run)(std::string_view startText, std::string_view endText);
};

extern const TProbe kX87Probe;
extern const TProbe kMpfrProbe;
