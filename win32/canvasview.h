#pragma once

#include "win32/drawingsurface.h"
#include "win32/windowclass.h"

namespace pomvexa::win32 {

// A child window at its parent's client corner that shows a drawing surface of its own, at
// its window's DPI: the game window's playfield, which fills the client area under the menu
// bar. It takes no focus and draws no text: its window text is the name under which screen
// readers present it.
class CanvasView : private MessageTarget {
public:
    // size: in logical pixels.
    CanvasView(HWND parent, const wchar_t* name, SIZE size, DrawingSurface::Backdrop backdrop,
               UINT dpi);
    CanvasView(const CanvasView&) = delete;
    CanvasView& operator=(const CanvasView&) = delete;
    ~CanvasView() override;

    HWND handle() const { return window; }
    DrawingSurface& surface() { return drawing; }
    // Sizes and draws the view again at the DPI given.
    void setDpi(UINT dpi);

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint(HDC context) const;

    SIZE size;
    DrawingSurface drawing;
    HWND window;
};

} // namespace pomvexa::win32
