#include "web/canvassurface.h"

#include "web/page.h"

#include <algorithm>

namespace pomvexa {
namespace {

// The window's colour for 3-D faces, which the page's windows have too.
constexpr Colour windowColour = 0xEFEFEF;
// The most pixels painted and handed to the page at a time.
constexpr int pixelsAtOnce = 65536;

} // namespace

CanvasSurface::CanvasSurface(std::string canvas, int width, int height, const Bitmap* picture)
    : canvas(std::move(canvas))
    , width(width)
    , height(height)
    , picture(picture)
    , painter(1, windowColour, picture) {
}

void CanvasSurface::repaint() {
    cleared();
    for (const Stroke& stroke : strokes())
        put(painter.bounds(stroke));
}

void CanvasSurface::cleared() {
    const double scale = pomvexa_canvas_scale();
    painter = PixelPainter(scale, windowColour, picture);
    whole = {0, 0, devicePixels(width, scale), devicePixels(height, scale)};
    pomvexa_canvas_clear(canvas.c_str(), whole.width, whole.height, windowColour);
    put(painter.pictureBounds());
}

void CanvasSurface::added(const Stroke& stroke) {
    put(painter.bounds(stroke));
}

// In bands of rows, so that a canvas at any scale needs little memory.
void CanvasSurface::put(const PixelRect& rect) {
    const PixelRect shown = rect.intersected(whole);
    if (shown.empty())
        return;
    const int rows = std::max(1, pixelsAtOnce / shown.width);
    for (int top = shown.top; top < shown.top + shown.height; top += rows) {
        const PixelRect band{shown.left, top, shown.width,
                             std::min(rows, shown.top + shown.height - top)};
        painter.paint(strokes(), band, pixels);
        pomvexa_canvas_put(canvas.c_str(), band.left, band.top, band.width, band.height,
                           pixels.data());
    }
}

} // namespace pomvexa
