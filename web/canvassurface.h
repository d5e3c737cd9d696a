#pragma once

#include "runtime/runtime.h"
#include "runtime/values.h"

#include <string>
#include <vector>

namespace pomvexa {

// A drawing surface on one of the page's canvases that keeps what is drawn on it. It keeps the
// drawing calls made since it was last cleared: each new call is drawn at once over what is
// there, and all of them are drawn again over the canvas's background whenever the screen's
// device-pixel ratio changes, so that the drawing stays sharp at any scale.
class CanvasSurface : public Surface {
public:
    explicit CanvasSurface(std::string canvas);

    // Draws the background and every call kept, at the present device-pixel ratio.
    void repaint() const;

    void cls() override;
    void setForeColor(Colour colour) override { foreColor = colour; }
    void setFillColor(Colour colour) override { fillColor = colour; }
    void setFillStyle(FillStyle style) override { fillStyle = style; }
    void setDrawWidth(std::int16_t width) override;
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float radius) override;
    void arc(float x, float y, float radius, Colour colour, float start, float end) override;

private:
    // One drawing call with the colours, fill and pen width it was made with.
    struct Stroke {
        enum Kind : std::uint8_t { line, circle, arc } kind;
        float values[5]; // line: x1 y1 x2 y2; circle: x y radius; arc: x y radius start end
        Colour pen;
        Colour fill;
        FillStyle fillStyle;
        std::int16_t width;
    };
    void add(const Stroke& stroke);
    void draw(const Stroke& stroke) const;

    std::string canvas;
    std::vector<Stroke> strokes;
    Colour foreColor = black;
    Colour fillColor = black;
    FillStyle fillStyle = FillStyle::transparent;
    std::int16_t drawWidth = 1;
};

} // namespace pomvexa
