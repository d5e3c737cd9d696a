#include "runtime/recordingsurface.h"

#include "runtime/runtimeerror.h"

#include <cmath>
#include <numbers>

namespace pomvexa {

RecordingSurface::Sweep RecordingSurface::sweep(const Stroke& arc) {
    constexpr double fullTurn = 2 * std::numbers::pi;
    const auto normalised = [](double angle) {
        angle = std::fmod(angle, fullTurn);
        return angle < 0 ? angle + fullTurn : angle;
    };
    const double from = normalised(arc.values[3]);
    const double span = normalised(arc.values[4]) - from;
    return {from, span <= 0 ? span + fullTurn : span};
}

void RecordingSurface::cls() {
    kept.clear();
    cleared();
}

void RecordingSurface::setDrawWidth(std::int16_t width) {
    if (width < 1)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    drawWidth = width;
}

void RecordingSurface::line(float x1, float y1, float x2, float y2) {
    add({Stroke::line, {x1, y1, x2, y2, 0}, foreColor, fillColor, fillStyle, drawWidth});
}

void RecordingSurface::circle(float x, float y, float radius) {
    add({Stroke::circle, {x, y, radius, 0, 0}, foreColor, fillColor, fillStyle, drawWidth});
}

void RecordingSurface::arc(float x, float y, float radius, Colour colour, float start, float end) {
    add({Stroke::arc, {x, y, radius, start, end}, colour, fillColor, fillStyle, drawWidth});
}

void RecordingSurface::add(const Stroke& stroke) {
    kept.push_back(stroke);
    added(stroke);
}

} // namespace pomvexa
