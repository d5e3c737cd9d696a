#pragma once

#include "runtime/runtime.h"
#include "win32/drawingsurface.h"
#include "win32/windowclass.h"

#include <functional>

namespace pomvexa::win32 {

// A picture box: a child window of fixed size with a sunken two-pixel border around a drawing
// surface that starts as its backdrop. Its place and size are kept in logical pixels and shown
// at its window's DPI, the border in whole device pixels. It reports a click when a left
// button press on it is released on it; a double click counts as two clicks. It draws no
// text: its window text is the name under which screen readers present it.
class PictureBox : public Control, private MessageTarget {
public:
    static constexpr int borderWidth = 2;

    // bounds: the box with its border, in logical pixels of the parent's client area.
    PictureBox(HWND parent, const wchar_t* name, const RECT& bounds,
               DrawingSurface::Backdrop backdrop, UINT dpi, DWORD extraStyle = 0);
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox() override;

    HWND handle() const { return window; }
    DrawingSurface& surface() { return drawing; }
    void onClick(std::function<void()> handler) { clicked = std::move(handler); }
    // Places, sizes and draws the box again at the DPI given.
    void setDpi(UINT dpi);
    // The border's width in device pixels at the box's DPI.
    int border() const;

    void move(float left, float top) override;

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint(HDC context) const;
    void place();

    float left;
    float top;
    SIZE size;
    UINT dpi;
    DrawingSurface drawing;
    HWND window;
    std::function<void()> clicked;
    bool pressed = false;
};

} // namespace pomvexa::win32
