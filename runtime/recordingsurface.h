#pragma once

#include "runtime/runtime.h"
#include "runtime/values.h"

#include <cstdint>
#include <vector>

namespace pomvexa {

// The angle in [0, 2 pi).
double normalisedAngle(double radians);

// A surface that keeps the drawing calls made on it since it was last cleared, each with the
// colours, fill and pen width it was made with, so that a toolkit's surface, which derives from
// it, can draw them again at whatever scale its screen has. The toolkit's surface is told of
// every call kept and of every clearing.
class RecordingSurface : public Surface {
public:
    // One drawing call.
    struct Stroke {
        enum Kind : std::uint8_t { line, circle, arc } kind;
        float values[5]; // line: x1 y1 x2 y2; circle: x y radius; arc: x y radius start end
        Colour pen;
        Colour fill;
        FillStyle fillStyle;
        std::int16_t width;
    };

    // An arc's angles: where it starts, in [0, 2 pi), and how far it goes anticlockwise on the
    // screen, in (0, 2 pi]; an arc that ends where it starts is a whole circle.
    struct Sweep {
        double from;
        double span;
    };
    static Sweep sweep(const Stroke& arc);

    void cls() final;
    void setForeColor(Colour colour) final { foreColor = colour; }
    void setFillColor(Colour colour) final { fillColor = colour; }
    void setFillStyle(FillStyle style) final { fillStyle = style; }
    void setDrawWidth(std::int16_t width) final;
    void line(float x1, float y1, float x2, float y2) final;
    void circle(float x, float y, float radius) final;
    void arc(float x, float y, float radius, Colour colour, float start, float end) final;

protected:
    const std::vector<Stroke>& strokes() const { return kept; }
    // After the calls kept have been forgotten.
    virtual void cleared() = 0;
    // After a call has been kept, as the last of strokes().
    virtual void added(const Stroke& stroke) = 0;

private:
    void add(const Stroke& stroke);

    std::vector<Stroke> kept;
    Colour foreColor = black;
    Colour fillColor = black;
    FillStyle fillStyle = FillStyle::transparent;
    std::int16_t drawWidth = 1;
};

} // namespace pomvexa
