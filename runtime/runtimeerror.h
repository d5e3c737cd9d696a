#pragma once

#include <stdexcept>
#include <string>

namespace pomvexa {

// A run-time error raised by a failing runtime operation. It ends the running event handler;
// the event dispatcher reports it to the user and the program goes on.
class RuntimeError : public std::runtime_error {
public:
    enum Code : int {
        invalidProcedureCall = 5,
        overflow = 6,
        dllNotLoaded = 48,
        fileNotFound = 53,
        dllEntryPointNotFound = 453,
    };

    explicit RuntimeError(Code code);
    RuntimeError(int number, const std::string& text);

    int number() const noexcept { return errorNumber; }
    // The error's own text, such as "Overflow".
    std::string text() const { return what(); }

private:
    int errorNumber;
};

} // namespace pomvexa
