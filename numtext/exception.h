#pragma once

#include <exception>
#include <string>
#include <string_view>

inline namespace FORMULA_CORE_NS {

// Failures carry a message text and are raised, never returned.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

// The text a failure is shown with: a full stop is appended when the last
// character's code lies above that of ".".
std::string MessageWithFullStop(std::string_view message);

} // namespace FORMULA_CORE_NS
