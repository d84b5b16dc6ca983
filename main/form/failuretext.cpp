#include "failuretext.h"

#include <exception>
#include <new>

#include "numtext/exception.h"

inline namespace FORMULA_CORE_NS {

std::string FailureText()
{
    try {
        throw;
    } catch (const Exception& e) {
        return MessageWithFullStop(e.Message);
    } catch (const std::bad_alloc&) {
        return MessageWithFullStop("Out of memory");
    } catch (const std::exception& e) {
        return MessageWithFullStop(e.what());
    } catch (...) {
        return {};
    }
}

} // namespace FORMULA_CORE_NS
