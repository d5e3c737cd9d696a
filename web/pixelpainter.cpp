#include "web/pixelpainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pomvexa {
namespace {

constexpr double fullTurn = 2 * std::numbers::pi;
// From a pixel's centre to its corners, a little more.
constexpr double halfDiagonal = 0.7072;
constexpr int samplesPerSide = 2;
constexpr int samples = samplesPerSide * samplesPerSide;

std::uint32_t readLittleEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int index = count - 1; index >= 0; --index)
        value = value << 8 | bytes[index];
    return value;
}

double length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

// How much of a pixel a shape may cover, judged from the pixel's centre.
enum class Reach { none, all, part };

Reach reachOf(double distance, double inner, double outer) {
    if (distance + halfDiagonal <= inner || distance - halfDiagonal >= outer)
        return Reach::none;
    if (distance - halfDiagonal >= inner && distance + halfDiagonal <= outer)
        return Reach::all;
    return Reach::part;
}

// The points whose distance from a centre lies between inner and outer: a disc where inner is
// below zero; limited to the angles from `from` to `from + span`, anticlockwise on the screen,
// where span is below a full turn.
struct Ring {
    double x;
    double y;
    double inner;
    double outer;
    double from = 0;
    double span = fullTurn;

    Reach reach(double px, double py) const {
        const Reach reach = reachOf(length(px - x, py - y), inner, outer);
        return span < fullTurn && reach == Reach::all ? Reach::part : reach;
    }
    bool contains(double px, double py) const {
        const double squared = (px - x) * (px - x) + (py - y) * (py - y);
        if (squared > outer * outer || (inner > 0 && squared < inner * inner))
            return false;
        return span >= fullTurn || normalisedAngle(std::atan2(y - py, px - x) - from) <= span;
    }
};

// The points within radius of the segment between two points: a line with round ends.
struct Capsule {
    double x1;
    double y1;
    double x2;
    double y2;
    double radius;

    double distance(double px, double py) const {
        const double dx = x2 - x1;
        const double dy = y2 - y1;
        const double along =
            std::clamp(((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return length(px - (x1 + along * dx), py - (y1 + along * dy));
    }
    Reach reach(double px, double py) const { return reachOf(distance(px, py), -1, radius); }
    bool contains(double px, double py) const { return distance(px, py) <= radius; }
};

void blend(std::uint8_t* pixel, Colour colour, int covered) {
    const int parts[3] = {colour & 255, (colour >> 8) & 255, (colour >> 16) & 255};
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = static_cast<std::uint8_t>(
            (pixel[channel] * (samples - covered) + parts[channel] * covered + samples / 2) /
            samples);
}

// Lays the colour over the pixels of rect that the shape covers within area.
template <typename Shape>
void cover(const Shape& shape, Colour colour, const PixelRect& area, const PixelRect& rect,
           std::uint8_t* rgba) {
    const PixelRect inside = area.intersected(rect);
    for (int row = inside.top; row < inside.top + inside.height; ++row) {
        for (int column = inside.left; column < inside.left + inside.width; ++column) {
            int covered = 0;
            switch (shape.reach(column + 0.5, row + 0.5)) {
            case Reach::none:
                continue;
            case Reach::all:
                covered = samples;
                break;
            case Reach::part:
                for (int sy = 0; sy < samplesPerSide; ++sy)
                    for (int sx = 0; sx < samplesPerSide; ++sx)
                        covered += shape.contains(column + (sx + 0.5) / samplesPerSide,
                                                  row + (sy + 0.5) / samplesPerSide);
                break;
            }
            if (covered > 0)
                blend(rgba + 4 * ((row - rect.top) * rect.width + column - rect.left), colour,
                      covered);
        }
    }
}

PixelRect around(double x, double y, double reach) {
    const int left = static_cast<int>(std::floor(x - reach));
    const int top = static_cast<int>(std::floor(y - reach));
    return {left, top, static_cast<int>(std::ceil(x + reach)) - left + 1,
            static_cast<int>(std::ceil(y + reach)) - top + 1};
}

} // namespace

Bitmap::Bitmap(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::size_t headers = 54;
    if (size < headers || bytes[0] != 'B' || bytes[1] != 'M' ||
        readLittleEndian(bytes + 28, 2) != 24 || readLittleEndian(bytes + 30, 4) != 0)
        return;
    const std::uint32_t offset = readLittleEndian(bytes + 10, 4);
    const auto width = static_cast<std::int32_t>(readLittleEndian(bytes + 18, 4));
    const auto height = static_cast<std::int32_t>(readLittleEndian(bytes + 22, 4));
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || offset > size ||
        (size - offset) / rowBytes < std::size_t(height))
        return;
    pixels = bytes + offset;
    columns = width;
    rows = height;
    stride = static_cast<int>(rowBytes);
}

Colour Bitmap::pixel(int x, int y) const {
    const std::uint8_t* at = pixels + (rows - 1 - y) * stride + 3 * x;
    return at[2] | at[1] << 8 | at[0] << 16;
}

PixelRect PixelRect::intersected(const PixelRect& other) const {
    const int left = std::max(this->left, other.left);
    const int top = std::max(this->top, other.top);
    const int right = std::min(this->left + width, other.left + other.width);
    const int bottom = std::min(this->top + height, other.top + other.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

int devicePixels(double length, double scale) {
    return static_cast<int>(std::floor(length * scale + 0.5));
}

PixelPainter::PixelPainter(double scale, Colour background, const Bitmap* picture)
    : scale(scale)
    , background(background)
    , picture(picture) {
}

PixelRect PixelPainter::pictureBounds() const {
    if (picture == nullptr)
        return {};
    return {0, 0, devicePixels(picture->width(), scale), devicePixels(picture->height(), scale)};
}

PixelRect PixelPainter::bounds(const Stroke& stroke) const {
    const float* v = stroke.values;
    if (stroke.kind == Stroke::line) {
        const int pen = std::max(1, devicePixels(stroke.width, scale));
        const int x1 = devicePixels(v[0], scale);
        const int y1 = devicePixels(v[1], scale);
        const int x2 = devicePixels(v[2], scale);
        const int y2 = devicePixels(v[3], scale);
        return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + pen,
                std::abs(y2 - y1) + pen};
    }
    return around(v[0] * scale, v[1] * scale, (v[2] + stroke.width / 2.0) * scale);
}

void PixelPainter::paint(const std::vector<Stroke>& strokes, const PixelRect& rect,
                         std::vector<std::uint8_t>& rgba) const {
    rgba.resize(4 * static_cast<std::size_t>(rect.width) * rect.height);
    const PixelRect shown = pictureBounds();
    for (int row = 0; row < rect.height; ++row) {
        for (int column = 0; column < rect.width; ++column) {
            const int x = rect.left + column;
            const int y = rect.top + row;
            Colour colour = background;
            if (x >= 0 && y >= 0 && x < shown.width && y < shown.height)
                colour = picture->pixel(std::min(picture->width() - 1, int((x + 0.5) / scale)),
                                        std::min(picture->height() - 1, int((y + 0.5) / scale)));
            std::uint8_t* pixel = rgba.data() + 4 * (row * rect.width + column);
            pixel[0] = colour & 255;
            pixel[1] = (colour >> 8) & 255;
            pixel[2] = (colour >> 16) & 255;
            pixel[3] = 255;
        }
    }
    for (const Stroke& stroke : strokes)
        if (!bounds(stroke).intersected(rect).empty())
            paintStroke(stroke, rect, rgba.data());
}

// As a canvas draws them: a line's pen in whole device pixels, straight from end to end where
// the line is level or upright; a circle's fill inside its radius, then its pen centred on it.
void PixelPainter::paintStroke(const Stroke& stroke, const PixelRect& rect,
                               std::uint8_t* rgba) const {
    const float* v = stroke.values;
    const PixelRect area = bounds(stroke);
    const double pen = stroke.width * scale;
    switch (stroke.kind) {
    case Stroke::line: {
        const int width = std::max(1, devicePixels(stroke.width, scale));
        const double x1 = devicePixels(v[0], scale);
        const double y1 = devicePixels(v[1], scale);
        const double x2 = devicePixels(v[2], scale);
        const double y2 = devicePixels(v[3], scale);
        if (x1 == x2 || y1 == y2) {
            const PixelRect filled = area.intersected(rect);
            for (int row = filled.top; row < filled.top + filled.height; ++row)
                for (int column = filled.left; column < filled.left + filled.width; ++column)
                    blend(rgba + 4 * ((row - rect.top) * rect.width + column - rect.left),
                          stroke.pen, samples);
            break;
        }
        const double half = width / 2.0;
        cover(Capsule{x1 + half, y1 + half, x2 + half, y2 + half, half}, stroke.pen, area, rect,
              rgba);
        break;
    }
    case Stroke::circle: {
        const double x = v[0] * scale;
        const double y = v[1] * scale;
        const double radius = v[2] * scale;
        if (stroke.fillStyle == FillStyle::solid)
            cover(Ring{x, y, -1, radius}, stroke.fill, area, rect, rgba);
        cover(Ring{x, y, radius - pen / 2, radius + pen / 2}, stroke.pen, area, rect, rgba);
        break;
    }
    case Stroke::arc: {
        const RecordingSurface::Sweep sweep = RecordingSurface::sweep(stroke);
        const double radius = v[2] * scale;
        cover(Ring{v[0] * scale, v[1] * scale, radius - pen / 2, radius + pen / 2, sweep.from,
                   sweep.span},
              stroke.pen, area, rect, rgba);
        break;
    }
    }
}

} // namespace pomvexa
