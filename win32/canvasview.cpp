#include "win32/canvasview.h"

#include "win32/toplevelwindow.h"

namespace pomvexa::win32 {

CanvasView::CanvasView(HWND parent, const wchar_t* name, SIZE size,
                       DrawingSurface::Backdrop backdrop, UINT dpi)
    : size(size)
    , drawing(size, std::move(backdrop))
    , window(createWindow(
          *this, registerWindowClass(L"PomvexaCanvas"), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
          RECT{0, 0, scaled(size.cx, dpi), scaled(size.cy, dpi)}, parent, nullptr, name)) {
    drawing.setDpi(dpi);
    drawing.setView(window);
}

CanvasView::~CanvasView() {
    if (IsWindow(window))
        DestroyWindow(window);
}

void CanvasView::setDpi(UINT dpi) {
    drawing.setDpi(dpi);
    SetWindowPos(window, nullptr, 0, 0, scaled(size.cx, dpi), scaled(size.cy, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CanvasView::paint(HDC context) const {
    drawing.paint(context, {0, 0}, drawing.pixels());
}

LRESULT CanvasView::handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    // What is painted on the screen and what is printed of the view are the same.
    case WM_PAINT:
        paintWindow(handle, [this](HDC context) { paint(context); });
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

} // namespace pomvexa::win32
