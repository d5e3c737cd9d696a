#include "win32/win32runtime.h"

#include "version.h"
#include "win32/windowslauncher.h"
#include "win32/windowstext.h"

#include <algorithm>

namespace pomvexa::win32 {

// The box is owned by the game window while it is loaded, else by the About box: it stands in
// front of its owner, which it disables itself, and comes with it from the taskbar. The
// program's other windows are disabled here, so that none of them takes a click, a key or a
// menu choice until the box is dismissed. They are enabled again only after the box has
// enabled its owner and gone, so that the owner, not another program, is active then; the
// window that was active before the box, the About box for its System Info button, is active
// again after it.
void Win32Runtime::showMessage(const std::string& text, MessageStyle) {
    const HWND owner = loaded.empty() ? nullptr : loaded.front();
    const HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    for (const HWND window : loaded)
        if (window != owner && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    // Windows brings the owner in front of the program's other windows when the box is
    // activated; some window managers of other systems keep the stacking as it was.
    if (owner != nullptr)
        SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    presentMessage(owner, win32::toWide(CP_UTF8, text), win32::toWide(CP_UTF8, identity::title));
    for (const HWND window : disabled)
        EnableWindow(window, TRUE);
    if (active != owner && std::find(loaded.begin(), loaded.end(), active) != loaded.end())
        SetActiveWindow(active);
}

void Win32Runtime::presentMessage(HWND owner, const std::wstring& text, const std::wstring& title) {
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK);
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
