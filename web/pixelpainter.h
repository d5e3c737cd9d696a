#pragma once

#include "runtime/recordingsurface.h"

#include <cstdint>
#include <vector>

namespace pomvexa {

// An uncompressed 24-bit bitmap file held in memory, read where it lies.
class Bitmap {
public:
    // bytes: the whole file; a file that is not such a bitmap gives an empty one.
    Bitmap(const std::uint8_t* bytes, std::size_t size);

    int width() const { return columns; }
    int height() const { return rows; }
    Colour pixel(int x, int y) const;

private:
    const std::uint8_t* pixels = nullptr; // the bottom row first, each row blue, green, red
    int columns = 0;
    int rows = 0;
    int stride = 0;
};

// A rectangle of a canvas's device pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    PixelRect intersected(const PixelRect& other) const;
};

// Works out the device pixels of a surface's drawing at a scale (device pixels to the surface's
// own): its background, its picture at the top-left corner, then each drawing call in order.
// Lines cover whole device pixels, so that every line of a width is equally thick and sharp;
// circles and arcs are smoothed, each pixel taking the share of its four sample points that the
// shape covers. The pixels come from this code alone, not from a browser's canvas, so that
// every browser shows the same ones, and the picture the site is built with is the very one the
// program draws.
class PixelPainter {
public:
    using Stroke = RecordingSurface::Stroke;

    PixelPainter(double scale, Colour background, const Bitmap* picture);

    // The device pixels a call may touch.
    PixelRect bounds(const Stroke& stroke) const;
    // What the picture covers, or nothing.
    PixelRect pictureBounds() const;
    // Paints the rectangle with every call that touches it, into rgba: four bytes a pixel (red,
    // green, blue, opaque alpha), rows top to bottom.
    void paint(const std::vector<Stroke>& strokes, const PixelRect& rect,
               std::vector<std::uint8_t>& rgba) const;

private:
    void paintStroke(const Stroke& stroke, const PixelRect& rect, std::uint8_t* rgba) const;

    double scale;
    Colour background;
    const Bitmap* picture;
};

// A length of the surface's own pixels in whole device pixels.
int devicePixels(double length, double scale);

} // namespace pomvexa
