#include "win32/drawingsurface.h"

#include "runtime/runtimeerror.h"

#include <cmath>

namespace pomvexa::win32 {
namespace {

// A packed colour is red + 256 * green + 65536 * blue, which is how a COLORREF is laid out.
COLORREF toColorRef(Colour colour) {
    return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

int toPixel(float coordinate) {
    return static_cast<int>(std::lround(coordinate));
}

// Selects a GDI object into a device context for one drawing call and deletes it after.
class Selected {
public:
    Selected(HDC context, HGDIOBJ object, bool owned = true)
        : context(context)
        , object(object)
        , previous(SelectObject(context, object))
        , owned(owned) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() {
        SelectObject(context, previous);
        if (owned)
            DeleteObject(object);
    }

private:
    HDC context;
    HGDIOBJ object;
    HGDIOBJ previous;
    bool owned;
};

HPEN createPen(COLORREF colour, int width, DWORD cap) {
    if (width == 1)
        return CreatePen(PS_SOLID, 1, colour);
    const LOGBRUSH brush{BS_SOLID, colour, 0};
    return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | cap | PS_JOIN_ROUND, static_cast<DWORD>(width),
                        &brush, 0, nullptr);
}

// A point far out on the ray from the centre at the angle, anticlockwise as seen on the
// screen: GDI takes an arc's ends as such rays, and a long one keeps the angle exact.
POINT onRay(float x, float y, double angle) {
    constexpr double length = 10000;
    return {static_cast<LONG>(std::lround(x + length * std::cos(angle))),
            static_cast<LONG>(std::lround(y - length * std::sin(angle)))};
}

} // namespace

DrawingSurface::DrawingSurface(SIZE size, COLORREF background, HBITMAP picture)
    : size(size)
    , drawing(createLayer(size))
    , base(createLayer(size))
    , canvas(drawing.context) {
    const RECT all{0, 0, size.cx, size.cy};
    const HBRUSH fill = CreateSolidBrush(background);
    FillRect(canvas, &all, fill);
    DeleteObject(fill);
    if (picture != nullptr) {
        const HDC source = CreateCompatibleDC(canvas);
        const HGDIOBJ previous = SelectObject(source, picture);
        BitBlt(canvas, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    keepAsBase();
}

DrawingSurface::~DrawingSurface() {
    destroyLayer(drawing);
    destroyLayer(base);
}

DrawingSurface::Layer DrawingSurface::createLayer(SIZE size) {
    // 32 bits a pixel whatever the screen's depth, so that colours are kept exactly.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    Layer layer;
    void* bits = nullptr;
    layer.context = CreateCompatibleDC(nullptr);
    layer.bitmap = CreateDIBSection(layer.context, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    layer.previous = SelectObject(layer.context, layer.bitmap);
    return layer;
}

void DrawingSurface::destroyLayer(Layer& layer) {
    SelectObject(layer.context, layer.previous);
    DeleteObject(layer.bitmap);
    DeleteDC(layer.context);
}

void DrawingSurface::keepAsBase() {
    BitBlt(base.context, 0, 0, size.cx, size.cy, canvas, 0, 0, SRCCOPY);
}

void DrawingSurface::paint(HDC target, POINT at) const {
    BitBlt(target, at.x, at.y, size.cx, size.cy, canvas, 0, 0, SRCCOPY);
}

void DrawingSurface::changed() {
    if (view != nullptr)
        InvalidateRect(view, nullptr, FALSE);
}

void DrawingSurface::cls() {
    BitBlt(canvas, 0, 0, size.cx, size.cy, base.context, 0, 0, SRCCOPY);
    changed();
}

void DrawingSurface::setDrawWidth(std::int16_t width) {
    if (width < 1)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    drawWidth = width;
}

void DrawingSurface::line(float x1, float y1, float x2, float y2) {
    const COLORREF colour = toColorRef(foreColor);
    {
        const Selected pen(canvas, createPen(colour, drawWidth, PS_ENDCAP_ROUND));
        MoveToEx(canvas, toPixel(x1), toPixel(y1), nullptr);
        LineTo(canvas, toPixel(x2), toPixel(y2));
    }
    // GDI leaves out a thin line's last pixel; a wide pen's round cap already covers it.
    if (drawWidth == 1)
        SetPixelV(canvas, toPixel(x2), toPixel(y2), colour);
    changed();
}

void DrawingSurface::circle(float x, float y, float radius) {
    const Selected pen(canvas, createPen(toColorRef(foreColor), drawWidth, PS_ENDCAP_ROUND));
    const bool filled = fillStyle == FillStyle::solid;
    const Selected brush(
        canvas, filled ? CreateSolidBrush(toColorRef(fillColor)) : GetStockObject(NULL_BRUSH),
        filled);
    // GDI's ellipse stays inside its box less the right and bottom edges.
    const int r = toPixel(radius);
    Ellipse(canvas, toPixel(x) - r, toPixel(y) - r, toPixel(x) + r + 1, toPixel(y) + r + 1);
    changed();
}

void DrawingSurface::arc(float x, float y, float radius, Colour colour, float start, float end) {
    const Selected pen(canvas, createPen(toColorRef(colour), drawWidth, PS_ENDCAP_FLAT));
    SetArcDirection(canvas, AD_COUNTERCLOCKWISE);
    const int r = toPixel(radius);
    const POINT from = onRay(x, y, start);
    const POINT to = onRay(x, y, end);
    Arc(canvas, toPixel(x) - r, toPixel(y) - r, toPixel(x) + r + 1, toPixel(y) + r + 1, from.x,
        from.y, to.x, to.y);
    changed();
}

} // namespace pomvexa::win32
