#pragma once

#include "runtime/recordingsurface.h"

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
class DrawingSurface : public RecordingSurface {
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

private:
    // A memory device context with a bitmap of the surface's size selected into it.
    struct Layer {
        HDC context = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
    };
    static Layer createLayer(SIZE size);
    static void destroyLayer(Layer& layer);

    void cleared() override;
    void added(const Stroke& stroke) override;
    void draw(const Stroke& stroke) const;
    void drawBackdrop() const;
    int toDevice(float logical) const;
    void changed();

    SIZE size;
    Backdrop backdrop;
    UINT dpi = 96;
    SIZE devicePixels;
    Layer canvas;
    HWND view = nullptr;
};

} // namespace pomvexa::win32
