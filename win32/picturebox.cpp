#include "win32/picturebox.h"

#include "win32/toplevelwindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace pomvexa::win32 {
namespace {

SIZE insideSize(const RECT& bounds) {
    return {bounds.right - bounds.left - 2 * PictureBox::borderWidth,
            bounds.bottom - bounds.top - 2 * PictureBox::borderWidth};
}

int toDevice(float logical, UINT dpi) {
    return static_cast<int>(std::lround(logical * static_cast<float>(dpi) / 96.0F));
}

} // namespace

PictureBox::PictureBox(HWND parent, const wchar_t* name, const RECT& bounds,
                       DrawingSurface::Backdrop backdrop, UINT dpi, DWORD extraStyle)
    : left(static_cast<float>(bounds.left))
    , top(static_cast<float>(bounds.top))
    , size{bounds.right - bounds.left, bounds.bottom - bounds.top}
    , dpi(dpi)
    , drawing(insideSize(bounds), std::move(backdrop))
    , window(createWindow(*this, registerWindowClass(L"PomvexaPicture"),
                          WS_CHILD | WS_VISIBLE | extraStyle, 0, scaled(bounds, dpi), parent,
                          nullptr, name)) {
    drawing.setDpi(dpi);
    drawing.setView(window);
}

PictureBox::~PictureBox() {
    if (IsWindow(window))
        DestroyWindow(window);
}

int PictureBox::border() const {
    return std::max(1, toDevice(borderWidth, dpi));
}

void PictureBox::setDpi(UINT newDpi) {
    dpi = newDpi;
    drawing.setDpi(dpi);
    place();
}

void PictureBox::move(float newLeft, float newTop) {
    left = newLeft;
    top = newTop;
    place();
}

void PictureBox::place() {
    SetWindowPos(window, nullptr, toDevice(left, dpi), toDevice(top, dpi), scaled(size.cx, dpi),
                 scaled(size.cy, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The sunken border in two rings, each a whole number of device pixels wide, as DrawEdge draws
// them at 96 DPI; the drawing inside it, cut to the inside.
void PictureBox::paint(HDC context) const {
    RECT edge;
    GetClientRect(window, &edge);
    const int outer = std::max(1, toDevice(1, dpi));
    for (int ring = 0; ring < border(); ++ring) {
        DrawEdge(context, &edge, ring < outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER, BF_RECT);
        InflateRect(&edge, -1, -1);
    }
    drawing.paint(context, {edge.left, edge.top}, {edge.right - edge.left, edge.bottom - edge.top});
}

LRESULT PictureBox::handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            answerPainting(handle, message, wParam, [this](HDC context) { paint(context); }))
        return *painted;
    switch (message) {
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
