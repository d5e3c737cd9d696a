#include "web/webruntime.h"

#include "runtime/runtimeerror.h"
#include "version.h"
#include "web/page.h"

#include <emscripten.h>

namespace pomvexa {
namespace {

// Shows the page's message box and resumes the program when it is dismissed.
EM_ASYNC_JS(void, pomvexa_message, (const char* title, const char* text),
            { await Module.pomvexaMessage(UTF8ToString(title), UTF8ToString(text)); });

} // namespace

void WebRuntime::soundBeep() {
    pomvexa_beep();
}

void WebRuntime::showMessage(const std::string& text, MessageStyle) {
    pomvexa_message(identity::title, text.c_str());
}

ApplicationIdentity WebRuntime::application() const {
    return {identity::title, identity::major, identity::minor, identity::revision};
}

std::string WebRuntime::findFile(const std::string&) {
    return {};
}

void WebRuntime::launchProgram(const std::string&, WindowStyle) {
    throw RuntimeError(RuntimeError::fileNotFound);
}

} // namespace pomvexa
