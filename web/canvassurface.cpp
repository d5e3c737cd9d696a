#include "web/canvassurface.h"

#include "runtime/runtimeerror.h"
#include "web/page.h"

namespace pomvexa {

CanvasSurface::CanvasSurface(std::string canvas)
    : canvas(std::move(canvas)) {
}

void CanvasSurface::repaint() const {
    pomvexa_canvas_clear(canvas.c_str());
    for (const Stroke& stroke : strokes)
        draw(stroke);
}

void CanvasSurface::cls() {
    strokes.clear();
    pomvexa_canvas_clear(canvas.c_str());
}

void CanvasSurface::setDrawWidth(std::int16_t width) {
    if (width < 1)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    drawWidth = width;
}

void CanvasSurface::line(float x1, float y1, float x2, float y2) {
    add({Stroke::line, {x1, y1, x2, y2, 0}, foreColor, fillColor, fillStyle, drawWidth});
}

void CanvasSurface::circle(float x, float y, float radius) {
    add({Stroke::circle, {x, y, radius, 0, 0}, foreColor, fillColor, fillStyle, drawWidth});
}

void CanvasSurface::arc(float x, float y, float radius, Colour colour, float start, float end) {
    add({Stroke::arc, {x, y, radius, start, end}, colour, fillColor, fillStyle, drawWidth});
}

void CanvasSurface::add(const Stroke& stroke) {
    strokes.push_back(stroke);
    draw(stroke);
}

void CanvasSurface::draw(const Stroke& stroke) const {
    const float* v = stroke.values;
    switch (stroke.kind) {
    case Stroke::line:
        pomvexa_canvas_line(canvas.c_str(), v[0], v[1], v[2], v[3], stroke.pen, stroke.width);
        break;
    case Stroke::circle:
        pomvexa_canvas_circle(canvas.c_str(), v[0], v[1], v[2], stroke.pen, stroke.fill,
                              stroke.fillStyle == FillStyle::solid, stroke.width);
        break;
    case Stroke::arc:
        pomvexa_canvas_arc(canvas.c_str(), v[0], v[1], v[2], stroke.pen, v[3], v[4], stroke.width);
        break;
    }
}

} // namespace pomvexa
