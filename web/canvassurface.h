#pragma once

#include "runtime/recordingsurface.h"

#include <string>
#include <vector>

namespace pomvexa {

// A drawing surface on one of the page's canvases that keeps what is drawn on it. It keeps the
// drawing calls made since it was last cleared: each new call is drawn at once over what is
// there, and all of them are drawn again over the canvas's background whenever the screen's
// device-pixel ratio changes, so that the drawing stays sharp at any scale.
class CanvasSurface : public RecordingSurface {
public:
    explicit CanvasSurface(std::string canvas);

    // Draws the background and every call kept, at the present device-pixel ratio.
    void repaint() const;

private:
    void cleared() override;
    void added(const Stroke& stroke) override;
    void draw(const Stroke& stroke) const;

    std::string canvas;
};

} // namespace pomvexa
