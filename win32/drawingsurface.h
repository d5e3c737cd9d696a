#pragma once

#include "runtime/runtime.h"

#include <windows.h>

namespace pomvexa::win32 {

// A drawing surface kept in a memory bitmap, so that what is drawn on it stays drawn across
// repaints and is there before its window is first shown: the window's WM_PAINT copies it. It
// starts as, and is cleared back to, its base picture. Drawing goes through GDI pens and
// brushes; a line includes its end point, as the Qt build's lines do.
class DrawingSurface : public Surface {
public:
    // A surface of the size given, filled with the background colour, with the bitmap (if any)
    // drawn at its top-left corner, unscaled and cut to the surface.
    DrawingSurface(SIZE size, COLORREF background, HBITMAP picture = nullptr);
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    ~DrawingSurface() override;

    // The window that shows the surface, invalidated after every change.
    void setView(HWND window) { view = window; }
    // Copies the surface to the device context with its top-left corner at the point given.
    void paint(HDC target, POINT at) const;
    COLORREF pixel(int x, int y) const { return GetPixel(canvas, x, y); }
    // The device context of the surface itself, for drawing the base picture.
    HDC context() const { return canvas; }
    // Takes what is drawn now as the picture that cls() returns to.
    void keepAsBase();

    void cls() override;
    void setForeColor(Colour colour) override { foreColor = colour; }
    void setFillColor(Colour colour) override { fillColor = colour; }
    void setFillStyle(FillStyle style) override { fillStyle = style; }
    void setDrawWidth(std::int16_t width) override;
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float radius) override;
    void arc(float x, float y, float radius, Colour colour, float start, float end) override;

private:
    // A memory device context with a bitmap of the surface's size selected into it.
    struct Layer {
        HDC context = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
    };
    static Layer createLayer(SIZE size);
    static void destroyLayer(Layer& layer);

    void changed();

    SIZE size;
    Layer drawing;
    Layer base;
    HDC canvas;
    HWND view = nullptr;
    Colour foreColor = 0;
    Colour fillColor = 0;
    FillStyle fillStyle = FillStyle::transparent;
    std::int16_t drawWidth = 1;
};

} // namespace pomvexa::win32
