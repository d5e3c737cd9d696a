#pragma once

#include "win32/win32runtime.h"
#include "win32/windowstext.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace pomvexa::testing {

// The Windows runtime with its message boxes recorded instead of shown: without a display a
// real one would wait for a click that never comes. A test that dismisses them itself has
// them shown as well.
class RecordingRuntime : public win32::Win32Runtime {
public:
    std::vector<std::string> messages;
    std::vector<std::string> titles;
    bool showBoxes = false;

protected:
    void presentMessage(HWND owner, const std::wstring& text, const std::wstring& title) override {
        messages.push_back(win32::toUtf8(text));
        titles.push_back(win32::toUtf8(title));
        if (showBoxes)
            Win32Runtime::presentMessage(owner, text, title);
    }
};

// Runs this thread's messages until the condition holds or the time is up; says which.
inline bool runMessagesUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message); // a quit message from an unloaded window is dropped
    }
    return true;
}

} // namespace pomvexa::testing
