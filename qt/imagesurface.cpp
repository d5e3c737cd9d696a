#include "qt/imagesurface.h"

#include "runtime/runtimeerror.h"

#include <QPainter>
#include <QWidget>

#include <numbers>

namespace pomvexa {
namespace {

constexpr double fullTurn = 2 * std::numbers::pi;

// The angle in [0, 2 pi). Arcs' angles are a few turns at most, so a few steps get there.
double normalisedAngle(double radians) {
    while (radians < 0)
        radians += fullTurn;
    while (radians >= fullTurn)
        radians -= fullTurn;
    return radians;
}

// QPainter measures arcs in sixteenths of a degree, anticlockwise on the screen.
int sixteenthsOfDegree(double radians) {
    return qRound(radians * 180.0 / std::numbers::pi * 16.0);
}

} // namespace

ImageSurface::ImageSurface(const QImage& picture, QWidget* view)
    : size(picture.size())
    , picture(picture.convertToFormat(QImage::Format_RGB32))
    , canvas(this->picture)
    , view(view) {
}

ImageSurface::ImageSurface(QSize size, const QColor& background, QWidget* view)
    : size(size)
    , background(background)
    , view(view) {
}

QColor ImageSurface::toQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void ImageSurface::paint(QPainter& painter, const QRect& area) const {
    if (!canvas.isNull()) {
        painter.drawImage(area, canvas, area);
        return;
    }
    painter.fillRect(area, background);
    painter.save();
    painter.setClipRect(area);
    for (const Stroke& stroke : strokes)
        draw(painter, stroke);
    painter.restore();
}

QImage ImageSurface::image() const {
    if (!canvas.isNull())
        return canvas;
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter, image.rect());
    return image;
}

void ImageSurface::cls() {
    strokes.clear();
    canvas = picture;
    view->update();
}

void ImageSurface::setDrawWidth(std::int16_t width) {
    if (width < 1)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    drawWidth = width;
}

void ImageSurface::line(float x1, float y1, float x2, float y2) {
    add({Stroke::line, {x1, y1, x2, y2, 0}, foreColor, fillColor, fillStyle, drawWidth});
}

void ImageSurface::circle(float x, float y, float radius) {
    add({Stroke::circle, {x, y, radius, 0, 0}, foreColor, fillColor, fillStyle, drawWidth});
}

void ImageSurface::arc(float x, float y, float radius, Colour colour, float start, float end) {
    add({Stroke::arc, {x, y, radius, start, end}, colour, fillColor, fillStyle, drawWidth});
}

void ImageSurface::add(const Stroke& stroke) {
    if (canvas.isNull() && strokes.size() == mostStrokesKept) {
        canvas = image();
        strokes.clear();
    }
    if (canvas.isNull()) {
        strokes.push_back(stroke);
    } else {
        QPainter painter(&canvas);
        draw(painter, stroke);
    }
    view->update();
}

void ImageSurface::draw(QPainter& painter, const Stroke& stroke) {
    const float* v = stroke.values;
    switch (stroke.kind) {
    case Stroke::line:
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(toQColor(stroke.pen), stroke.width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(v[0], v[1]), QPointF(v[2], v[3]));
        break;
    case Stroke::circle:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(toQColor(stroke.pen), stroke.width));
        painter.setBrush(stroke.fillStyle == FillStyle::solid ? QBrush(toQColor(stroke.fill))
                                                              : Qt::NoBrush);
        painter.drawEllipse(QPointF(v[0], v[1]), v[2], v[2]);
        break;
    case Stroke::arc: {
        const double from = normalisedAngle(v[3]);
        double span = normalisedAngle(v[4]) - from;
        if (span <= 0)
            span += fullTurn;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(toQColor(stroke.pen), stroke.width, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(v[0] - v[2], v[1] - v[2], 2 * v[2], 2 * v[2]),
                        sixteenthsOfDegree(from), sixteenthsOfDegree(span));
        break;
    }
    }
}

} // namespace pomvexa
