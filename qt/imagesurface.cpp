#include "qt/imagesurface.h"

#include "runtime/runtimeerror.h"

#include <QPainter>
#include <QWidget>

#include <cmath>
#include <numbers>

namespace pomvexa {
namespace {

constexpr double fullTurn = 2 * std::numbers::pi;

double normalisedAngle(double radians) {
    const double angle = std::fmod(radians, fullTurn);
    return angle < 0 ? angle + fullTurn : angle;
}

// QPainter measures arcs in sixteenths of a degree, anticlockwise on the screen.
int sixteenthsOfDegree(double radians) {
    return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
}

} // namespace

ImageSurface::ImageSurface(const QImage& base, QWidget* view)
    : base(base.convertToFormat(QImage::Format_RGB32))
    , canvas(this->base)
    , view(view) {
}

QColor ImageSurface::toQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void ImageSurface::cls() {
    canvas = base;
    view->update();
}

void ImageSurface::setDrawWidth(std::int16_t width) {
    if (width < 1)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    drawWidth = width;
}

void ImageSurface::line(float x1, float y1, float x2, float y2) {
    QPainter painter(&canvas);
    painter.setPen(QPen(toQColor(foreColor), drawWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    view->update();
}

void ImageSurface::circle(float x, float y, float radius) {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(foreColor), drawWidth));
    painter.setBrush(fillStyle == FillStyle::solid ? QBrush(toQColor(fillColor)) : Qt::NoBrush);
    painter.drawEllipse(QPointF(x, y), radius, radius);
    view->update();
}

void ImageSurface::arc(float x, float y, float radius, Colour colour, float start, float end) {
    const double from = normalisedAngle(start);
    double span = normalisedAngle(end) - from;
    if (span <= 0)
        span += fullTurn;
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(colour), drawWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(QRectF(x - radius, y - radius, 2 * radius, 2 * radius),
                    sixteenthsOfDegree(from), sixteenthsOfDegree(span));
    view->update();
}

} // namespace pomvexa
