#pragma once

#include "runtime/runtime.h"
#include "win32/windowstext.h"

#include <windows.h>

#include <optional>

namespace pomvexa::win32 {

// One of the program's top-level windows: its caption is its title, showing it brings it to the
// front without blocking, and unloading it destroys it. The handle is null once the window is
// destroyed; the derived class sets it when the window is made and clears it on WM_NCDESTROY.
class TopLevelWindow : public Window {
public:
    HWND handle() const { return window; }

    void setCaption(const std::string& text) override {
        if (window != nullptr)
            SetWindowTextW(window, toWide(CP_UTF8, text).c_str());
    }
    void showModeless() override {
        if (window == nullptr)
            return;
        // Windows may show the program's first window as its shortcut says instead; a window of
        // fixed size is not left maximised.
        ShowWindow(window, SW_SHOWNORMAL);
        if (IsZoomed(window))
            ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    }
    void unload() override {
        if (window != nullptr)
            DestroyWindow(window);
    }

protected:
    HWND window = nullptr;
};

// Paints the window's invalid area with the function given, which takes the device context.
template <typename Painter> void paintWindow(HWND window, Painter&& paint) {
    PAINTSTRUCT area;
    const HDC context = BeginPaint(window, &area);
    paint(context);
    EndPaint(window, &area);
}

// The answer to a message by which Windows has a window painted whose painter covers all of
// it: WM_PAINT and WM_PRINTCLIENT run the painter, so that what is painted on the screen and
// what is printed of the window are the same, and the background is never erased. Empty for
// any other message.
template <typename Painter>
std::optional<LRESULT> answerPainting(HWND window, UINT message, WPARAM wParam, Painter&& paint) {
    switch (message) {
    case WM_PAINT:
        paintWindow(window, paint);
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return std::nullopt;
    }
}

} // namespace pomvexa::win32
