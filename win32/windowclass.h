#pragma once

#include <windows.h>

namespace pomvexa::win32 {

// A C++ object behind a window. The window procedure finds it through the window's user data
// and hands it every message from WM_NCCREATE on; the object's window is gone after
// WM_NCDESTROY. No exception ever leaves the window procedure into Windows.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;

    // Handles one message, or returns DefWindowProcW's result for it.
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Registers a window class of this program once (later calls with the same name do nothing)
// and returns its name.
const wchar_t* registerWindowClass(const wchar_t* name, HBRUSH background = nullptr);

// The window just made. One that could not be made raises the run-time error "Out of memory",
// which is all that Windows tells of why.
HWND madeWindow(HWND window);

// Creates a window of a class registered above, with the target behind it and the text given;
// raises a run-time error if it cannot be made.
HWND createWindow(MessageTarget& target, const wchar_t* className, DWORD style, DWORD exStyle,
                  const RECT& bounds, HWND parent, HMENU menu = nullptr, const wchar_t* text = L"");

// The program's face icon at the given size, from the program file's icon group 1.
HICON faceIcon(int size);

// The font the system uses for text in dialogs and message boxes, at the DPI given. The caller
// deletes it.
HFONT createDialogFont(UINT dpi);

// Gives the window the face icon at the sizes the system asks for at the DPI given.
void setWindowIcons(HWND window, UINT dpi);

// A length in logical pixels (96 to the inch) in device pixels at the DPI given.
inline int scaled(int length, UINT dpi) {
    return MulDiv(length, static_cast<int>(dpi), 96);
}

// A rectangle in logical pixels in device pixels: its corner and its size each scaled, so
// that rectangles of one size stay of one size.
inline RECT scaled(const RECT& bounds, UINT dpi) {
    const int left = scaled(bounds.left, dpi);
    const int top = scaled(bounds.top, dpi);
    return {left, top, left + scaled(bounds.right - bounds.left, dpi),
            top + scaled(bounds.bottom - bounds.top, dpi)};
}

} // namespace pomvexa::win32
