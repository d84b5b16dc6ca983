#pragma once

#include <string>

inline namespace FORMULA_CORE_NS {

// The failure display up to its box, called from inside a catch block:
// releases the mouse capture through the toolkit's call, resets the
// floating-point unit, and returns the text for the box (FailureText). A
// failed reading may leave flags or a changed mode behind: the next run has to
// start from the state the first one had.
std::string PrepareFailureBox(void (*releaseCapture)());

} // namespace FORMULA_CORE_NS
