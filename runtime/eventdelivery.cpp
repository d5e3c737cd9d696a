#include "runtime/eventdelivery.h"

#include "runtime/runtimeerror.h"

#include <cstdio>

namespace pomvexa {

std::string describeError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& runtimeError) {
        return "运行时错误 '" + std::to_string(runtimeError.number()) + "':\n\n" +
               runtimeError.text();
    } catch (const std::exception& other) {
        return std::string("内部错误:\n\n") + other.what();
    } catch (...) {
        return "内部错误";
    }
}

void reportError(Runtime& runtime, std::exception_ptr error) noexcept {
    try {
        runtime.showMessage(describeError(error), MessageStyle::okOnly);
    } catch (...) {
        std::fputs("Pomvexa: an error could not be reported\n", stderr);
    }
}

} // namespace pomvexa
