#pragma once

#include "runtime/recordingsurface.h"
#include "web/pixelpainter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pomvexa {

// A drawing surface on one of the page's canvases that keeps what is drawn on it. It keeps the
// drawing calls made since it was last cleared and works out their pixels itself: each new call
// is painted at once over what is there, and all of them are painted again over the canvas's
// background (its picture, or the window's colour) whenever the scale at which the page shows
// the canvas changes, so that the drawing stays sharp at any scale.
class CanvasSurface : public RecordingSurface {
public:
    // width, height: the canvas's size in the surface's own pixels; picture, if any, outlives
    // the surface.
    CanvasSurface(std::string canvas, int width, int height, const Bitmap* picture = nullptr);

    // Paints the background and every call kept, at the page's present scale.
    void repaint();

private:
    void cleared() override;
    void added(const Stroke& stroke) override;
    void put(const PixelRect& rect);

    std::string canvas;
    int width;
    int height;
    const Bitmap* picture;
    PixelPainter painter;
    PixelRect whole;
    std::vector<std::uint8_t> pixels;
};

} // namespace pomvexa
