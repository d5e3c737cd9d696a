#pragma once

#include "runtime/recordingsurface.h"

#include <QColor>
#include <QImage>

#include <vector>

class QPainter;
class QWidget;

namespace pomvexa {

// A drawing surface that keeps what is drawn on it across repaints, so that it is there before
// the window is first shown. It keeps the drawing calls made since it was last cleared and
// paints them again, over its picture or its plain colour, whenever it is shown: at the screen's
// device-pixel ratio, so that what is drawn is sharp at any scale, and with far less memory than
// an image of it. Meant for drawings of a few calls between clears, as the game's are (eight
// lines on the playfield, six calls for the face). The widget that shows it is asked to repaint
// after every change.
class ImageSurface : public RecordingSurface {
public:
    // pictures: the same picture for one or more device-pixel ratios, the 100 % one first.
    ImageSurface(std::vector<QImage> pictures, QWidget* view);
    ImageSurface(QSize size, const QColor& background, QWidget* view);

    // Paints the part of the surface in the area, at the same place, with the painter.
    void paint(QPainter& painter, const QRect& area) const;
    // What the surface shows now, at the device-pixel ratio given.
    QImage image(qreal devicePixelRatio = 1) const;

    static QColor toQColor(Colour colour);

private:
    void cleared() override;
    void added(const Stroke& stroke) override;
    const QImage& pictureFor(qreal devicePixelRatio) const;
    static void draw(QPainter& painter, const Stroke& stroke);

    QSize size;
    QColor background;
    std::vector<QImage> pictures; // what the drawing lies on; none on a plain colour
    QWidget* view;
};

} // namespace pomvexa
