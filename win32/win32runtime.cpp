#include "win32/win32runtime.h"

#include "version.h"
#include "win32/windowslauncher.h"
#include "win32/windowstext.h"

#include <algorithm>

namespace pomvexa::win32 {

void Win32Runtime::showMessage(const std::string& text, MessageStyle) {
    presentMessage(messageOwner(), win32::toWide(CP_UTF8, text),
                   win32::toWide(CP_UTF8, identity::title));
}

void Win32Runtime::presentMessage(HWND owner, const std::wstring& text, const std::wstring& title) {
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK);
}

// The active window if it is one of the program's, else the one loaded last.
HWND Win32Runtime::messageOwner() const {
    const HWND active = GetActiveWindow();
    if (std::find(loaded.begin(), loaded.end(), active) != loaded.end())
        return active;
    return loaded.empty() ? nullptr : loaded.back();
}

ApplicationIdentity Win32Runtime::application() const {
    return {identity::title, identity::major, identity::minor, identity::revision};
}

std::string Win32Runtime::findFile(const std::string& path) {
    return win32::findFile(path);
}

void Win32Runtime::launchProgram(const std::string& path, WindowStyle) {
    win32::launchProgram(path);
}

void Win32Runtime::windowLoaded(HWND window) {
    loaded.push_back(window);
}

void Win32Runtime::windowUnloaded(HWND window) {
    const auto found = std::find(loaded.begin(), loaded.end(), window);
    if (found == loaded.end())
        return;
    loaded.erase(found);
    if (loaded.empty())
        PostQuitMessage(0);
}

} // namespace pomvexa::win32
