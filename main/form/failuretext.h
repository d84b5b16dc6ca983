#pragma once

#include <string>

inline namespace FORMULA_CORE_NS {

// The text a failure is shown with, called from inside a catch block: the
// message of an Exception, "Out of memory" for std::bad_alloc, what() of any
// other std::exception, nothing for the rest; with the full-stop rule applied.
std::string FailureText();

} // namespace FORMULA_CORE_NS
