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

// Creates a window of a class registered above, with the target behind it.
HWND createWindow(MessageTarget& target, const wchar_t* className, DWORD style, DWORD exStyle,
                  const RECT& bounds, HWND parent, HMENU menu = nullptr);

// The program's face icon at the given size, from the program file's icon group 1.
HICON faceIcon(int size);

// The font the system uses for text in dialogs and message boxes.
HFONT dialogFont();

} // namespace pomvexa::win32
