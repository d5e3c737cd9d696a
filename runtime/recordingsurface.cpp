#include "runtime/recordingsurface.h"

#include "runtime/runtimeerror.h"

#include <cmath>
#include <numbers>

namespace pomvexa {

// A tiny negative angle plus a full turn rounds to the full turn itself, which is 0.
double normalisedAngle(double radians) {
    constexpr double fullTurn = 2 * std::numbers::pi;
    radians = std::fmod(radians, fullTurn);
    if (radians < 0)
        radians += fullTurn;
    return radians < fullTurn ? radians : 0;
}

RecordingSurface::Sweep RecordingSurface::sweep(const Stroke& arc) {
    const double from = normalisedAngle(arc.values[3]);
    const double span = normalisedAngle(arc.values[4]) - from;
    return {from, span <= 0 ? span + 2 * std::numbers::pi : span};
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
