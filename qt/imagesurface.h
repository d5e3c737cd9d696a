#pragma once

#include "runtime/runtime.h"
#include "runtime/values.h"

#include <QColor>
#include <QImage>

class QWidget;

namespace pomvexa {

// A drawing surface backed by an image, so that what is drawn on it stays drawn across repaints
// and is there before the window is first shown. It starts as, and is cleared back to, its base
// image; the widget that shows it is asked to repaint after every change.
class ImageSurface : public Surface {
public:
    ImageSurface(const QImage& base, QWidget* view);

    const QImage& image() const { return canvas; }

    void cls() override;
    void setForeColor(Colour colour) override { foreColor = colour; }
    void setFillColor(Colour colour) override { fillColor = colour; }
    void setFillStyle(FillStyle style) override { fillStyle = style; }
    void setDrawWidth(std::int16_t width) override;
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float radius) override;
    void arc(float x, float y, float radius, Colour colour, float start, float end) override;

    static QColor toQColor(Colour colour);

private:
    QImage base;
    QImage canvas;
    QWidget* view;
    Colour foreColor = black;
    Colour fillColor = black;
    FillStyle fillStyle = FillStyle::transparent;
    std::int16_t drawWidth = 1;
};

} // namespace pomvexa
