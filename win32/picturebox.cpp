#include "win32/picturebox.h"

#include "win32/toplevelwindow.h"

#include <windowsx.h>

#include <cmath>

namespace pomvexa::win32 {
namespace {

SIZE insideSize(const RECT& bounds) {
    return {bounds.right - bounds.left - 2 * PictureBox::borderWidth,
            bounds.bottom - bounds.top - 2 * PictureBox::borderWidth};
}

} // namespace

PictureBox::PictureBox(HWND parent, const RECT& bounds, COLORREF background, HBITMAP picture,
                       DWORD extraStyle)
    : drawing(insideSize(bounds), background, picture)
    , window(createWindow(*this, registerWindowClass(L"PomvexaPicture"),
                          WS_CHILD | WS_VISIBLE | extraStyle, 0, bounds, parent)) {
    drawing.setView(window);
}

PictureBox::~PictureBox() {
    if (IsWindow(window))
        DestroyWindow(window);
}

void PictureBox::move(float left, float top) {
    SetWindowPos(window, nullptr, static_cast<int>(std::lround(left)),
                 static_cast<int>(std::lround(top)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PictureBox::handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paintWindow(handle, [this, handle](HDC context) {
            RECT edge;
            GetClientRect(handle, &edge);
            DrawEdge(context, &edge, EDGE_SUNKEN, BF_RECT);
            drawing.paint(context, {borderWidth, borderWidth});
        });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        pressed = true;
        SetCapture(handle);
        if (GetWindowLongW(handle, GWL_STYLE) & WS_TABSTOP)
            SetFocus(handle);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed;
        pressed = false;
        ReleaseCapture();
        RECT inside;
        GetClientRect(handle, &inside);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (wasPressed && PtInRect(&inside, at) && clicked)
            clicked();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed = false;
        return 0;
    case WM_NCDESTROY:
        window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

} // namespace pomvexa::win32
