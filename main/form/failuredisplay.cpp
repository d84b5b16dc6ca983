#include "failuredisplay.h"

#include "extended/fpu.h"
#include "failuretext.h"

inline namespace FORMULA_CORE_NS {

std::string PrepareFailureBox(void (*releaseCapture)())
{
    releaseCapture();
    ResetFpu();
    return FailureText();
}

} // namespace FORMULA_CORE_NS
