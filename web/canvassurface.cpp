#include "web/canvassurface.h"

#include "web/page.h"

namespace pomvexa {

CanvasSurface::CanvasSurface(std::string canvas)
    : canvas(std::move(canvas)) {
}

void CanvasSurface::repaint() const {
    pomvexa_canvas_clear(canvas.c_str());
    for (const Stroke& stroke : strokes())
        draw(stroke);
}

void CanvasSurface::cleared() {
    pomvexa_canvas_clear(canvas.c_str());
}

void CanvasSurface::added(const Stroke& stroke) {
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
