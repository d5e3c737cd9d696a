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
    if (const auto painted =
            answerPainting(handle, message, wParam, [this](HDC context) { paint(context); }))
        return *painted;
    if (message == WM_NCDESTROY)
        window = nullptr;
    return DefWindowProcW(handle, message, wParam, lParam);
}

} // namespace pomvexa::win32
