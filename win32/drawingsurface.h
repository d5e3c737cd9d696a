#pragma once

#include "runtime/runtime.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace pomvexa::win32 {

// A drawing surface kept in a memory bitmap at its window's DPI, so that what is drawn on it
// stays drawn across repaints and is there before its window is first shown: the window's
// WM_PAINT copies it. It keeps the drawing calls made on it since it was last cleared, in
// logical pixels (96 to the inch), and draws them again over its backdrop whenever the DPI
// changes: sharp at any scale, each line a whole number of device pixels wide. Drawing goes
// through GDI pens and brushes; a line includes its end point, as the Qt build's lines do.
class DrawingSurface : public Surface {
public:
    // Draws what the surface shows when clear into a device context whose bitmap is the
    // surface's size at the DPI given.
    using Backdrop = std::function<void(HDC context, SIZE pixels, UINT dpi)>;

    // A plain colour.
    static Backdrop plain(COLORREF colour);
    // The picture's top-left corner, at its natural size in logical pixels, on a plain colour.
    // The backdrop owns the bitmap from then on.
    static Backdrop picture(COLORREF background, HBITMAP picture);

    // size: in logical pixels. The surface starts at 96 DPI.
    DrawingSurface(SIZE size, Backdrop backdrop);
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    ~DrawingSurface() override;

    // The window that shows the surface, invalidated after every change.
    void setView(HWND window) { view = window; }
    // Draws the backdrop and every drawing call again at the DPI given.
    void setDpi(UINT dpi);
    // The surface's size in device pixels.
    SIZE pixels() const { return devicePixels; }
    // Copies the surface, cut to the area given, to the device context at the point given.
    void paint(HDC target, POINT at, SIZE area) const;
    // A device pixel of the surface.
    COLORREF pixel(int x, int y) const { return GetPixel(canvas.context, x, y); }

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
    // One drawing call with the colours, fill and pen width it was made with.
    struct Stroke {
        enum Kind : std::uint8_t { line, circle, arc } kind;
        float values[5]; // line: x1 y1 x2 y2; circle: x y radius; arc: x y radius start end
        Colour pen;
        Colour fill;
        FillStyle fillStyle;
        std::int16_t width;
    };
    static Layer createLayer(SIZE size);
    static void destroyLayer(Layer& layer);

    void add(const Stroke& stroke);
    void draw(const Stroke& stroke) const;
    void drawBackdrop() const;
    int toDevice(float logical) const;
    void changed();

    SIZE size;
    Backdrop backdrop;
    UINT dpi = 96;
    SIZE devicePixels;
    Layer canvas;
    std::vector<Stroke> strokes;
    HWND view = nullptr;
    Colour foreColor = 0;
    Colour fillColor = 0;
    FillStyle fillStyle = FillStyle::transparent;
    std::int16_t drawWidth = 1;
};

} // namespace pomvexa::win32
