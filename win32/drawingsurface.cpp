#include "win32/drawingsurface.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace pomvexa::win32 {
namespace {

// A packed colour is red + 256 * green + 65536 * blue, which is how a COLORREF is laid out.
COLORREF toColorRef(Colour colour) {
    return static_cast<COLORREF>(colour) & 0xFFFFFF;
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

DrawingSurface::Backdrop DrawingSurface::plain(COLORREF colour) {
    return [colour](HDC context, SIZE pixels, UINT) {
        const RECT all{0, 0, pixels.cx, pixels.cy};
        const HBRUSH fill = CreateSolidBrush(colour);
        FillRect(context, &all, fill);
        DeleteObject(fill);
    };
}

DrawingSurface::Backdrop DrawingSurface::picture(COLORREF background, HBITMAP picture) {
    const std::shared_ptr<void> owned(picture, [](void* bitmap) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
    });
    return [background, owned](HDC context, SIZE pixels, UINT dpi) {
        plain(background)(context, pixels, dpi);
        const auto bitmap = static_cast<HBITMAP>(owned.get());
        BITMAP format{};
        if (bitmap == nullptr || GetObjectW(bitmap, sizeof format, &format) == 0)
            return;
        const HDC source = CreateCompatibleDC(context);
        const HGDIOBJ previous = SelectObject(source, bitmap);
        if (dpi == 96) {
            BitBlt(context, 0, 0, format.bmWidth, format.bmHeight, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(context, HALFTONE);
            SetBrushOrgEx(context, 0, 0, nullptr);
            StretchBlt(context, 0, 0, MulDiv(format.bmWidth, static_cast<int>(dpi), 96),
                       MulDiv(format.bmHeight, static_cast<int>(dpi), 96), source, 0, 0,
                       format.bmWidth, format.bmHeight, SRCCOPY);
        }
        SelectObject(source, previous);
        DeleteDC(source);
    };
}

DrawingSurface::DrawingSurface(SIZE size, Backdrop backdrop)
    : size(size)
    , backdrop(std::move(backdrop))
    , devicePixels(size)
    , canvas(createLayer(size)) {
    drawBackdrop();
}

DrawingSurface::~DrawingSurface() {
    destroyLayer(canvas);
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

void DrawingSurface::setDpi(UINT newDpi) {
    if (newDpi == dpi)
        return;
    dpi = newDpi;
    devicePixels = {MulDiv(size.cx, static_cast<int>(dpi), 96),
                    MulDiv(size.cy, static_cast<int>(dpi), 96)};
    destroyLayer(canvas);
    canvas = createLayer(devicePixels);
    drawBackdrop();
    for (const Stroke& stroke : strokes())
        draw(stroke);
    changed();
}

void DrawingSurface::drawBackdrop() const {
    if (backdrop)
        backdrop(canvas.context, devicePixels, dpi);
}

int DrawingSurface::toDevice(float logical) const {
    return static_cast<int>(std::lround(logical * static_cast<float>(dpi) / 96.0F));
}

void DrawingSurface::paint(HDC target, POINT at, SIZE area) const {
    BitBlt(target, at.x, at.y, std::min(area.cx, devicePixels.cx),
           std::min(area.cy, devicePixels.cy), canvas.context, 0, 0, SRCCOPY);
}

void DrawingSurface::changed() {
    if (view != nullptr)
        InvalidateRect(view, nullptr, FALSE);
}

void DrawingSurface::cleared() {
    drawBackdrop();
    changed();
}

void DrawingSurface::added(const Stroke& stroke) {
    draw(stroke);
    changed();
}

// Every coordinate and radius is rounded to a whole device pixel and every pen is a whole
// number of device pixels wide, so that lines of one width are equally thick at any scale; at
// 96 DPI they are the coordinates and widths given.
void DrawingSurface::draw(const Stroke& stroke) const {
    const HDC context = canvas.context;
    const float* v = stroke.values;
    const int width = std::max(1, toDevice(stroke.width));
    const COLORREF colour = toColorRef(stroke.pen);
    switch (stroke.kind) {
    case Stroke::line: {
        const POINT to{toDevice(v[2]), toDevice(v[3])};
        {
            const Selected pen(context, createPen(colour, width, PS_ENDCAP_ROUND));
            MoveToEx(context, toDevice(v[0]), toDevice(v[1]), nullptr);
            LineTo(context, to.x, to.y);
        }
        // GDI leaves out a thin line's last pixel; a wide pen's round cap already covers it.
        if (width == 1)
            SetPixelV(context, to.x, to.y, colour);
        break;
    }
    case Stroke::circle: {
        const Selected pen(context, createPen(colour, width, PS_ENDCAP_ROUND));
        const bool filled = stroke.fillStyle == FillStyle::solid;
        const Selected brush(context,
                             filled ? CreateSolidBrush(toColorRef(stroke.fill))
                                    : GetStockObject(NULL_BRUSH),
                             filled);
        // GDI's ellipse stays inside its box less the right and bottom edges.
        const int x = toDevice(v[0]);
        const int y = toDevice(v[1]);
        const int r = toDevice(v[2]);
        Ellipse(context, x - r, y - r, x + r + 1, y + r + 1);
        break;
    }
    case Stroke::arc: {
        const Selected pen(context, createPen(colour, width, PS_ENDCAP_FLAT));
        SetArcDirection(context, AD_COUNTERCLOCKWISE);
        const int x = toDevice(v[0]);
        const int y = toDevice(v[1]);
        const int r = toDevice(v[2]);
        const POINT from = onRay(static_cast<float>(x), static_cast<float>(y), v[3]);
        const POINT to = onRay(static_cast<float>(x), static_cast<float>(y), v[4]);
        Arc(context, x - r, y - r, x + r + 1, y + r + 1, from.x, from.y, to.x, to.y);
        break;
    }
    }
}

} // namespace pomvexa::win32
