#pragma once

#include "runtime/runtime.h"
#include "win32/drawingsurface.h"
#include "win32/windowclass.h"

#include <functional>

namespace pomvexa::win32 {

// A picture box: a child window of fixed size with a sunken two-pixel border around a drawing
// surface that starts as the top-left corner of its picture. It reports a click when a left
// button press on it is released on it; a double click counts as two clicks.
class PictureBox : public Control, private MessageTarget {
public:
    static constexpr int borderWidth = 2;

    // bounds: the box with its border, in the parent's client coordinates.
    PictureBox(HWND parent, const RECT& bounds, COLORREF background, HBITMAP picture,
               DWORD extraStyle = 0);
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox() override;

    HWND handle() const { return window; }
    DrawingSurface& surface() { return drawing; }
    void onClick(std::function<void()> handler) { clicked = std::move(handler); }

    void move(float left, float top) override;

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    DrawingSurface drawing;
    HWND window;
    std::function<void()> clicked;
    bool pressed = false;
};

} // namespace pomvexa::win32
