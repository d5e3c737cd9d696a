#include "runtime/runtimeerror.h"

namespace pomvexa {
namespace {

const char* textOf(RuntimeError::Code code) {
    switch (code) {
    case RuntimeError::invalidProcedureCall:
        return "Invalid procedure call or argument";
    case RuntimeError::overflow:
        return "Overflow";
    case RuntimeError::dllNotLoaded:
        return "Error in loading DLL";
    case RuntimeError::fileNotFound:
        return "File not found";
    case RuntimeError::dllEntryPointNotFound:
        return "Can't find DLL entry point";
    }
    return "Application-defined or object-defined error";
}

} // namespace

RuntimeError::RuntimeError(Code code)
    : RuntimeError(code, textOf(code)) {
}

RuntimeError::RuntimeError(int number, const std::string& text)
    : std::runtime_error(text)
    , errorNumber(number) {
}

} // namespace pomvexa
