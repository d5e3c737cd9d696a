#include "qt/imagesurface.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <numbers>

namespace pomvexa {
namespace {

// QPainter measures arcs in sixteenths of a degree, anticlockwise on the screen.
int sixteenthsOfDegree(double radians) {
    return qRound(radians * 180.0 / std::numbers::pi * 16.0);
}

} // namespace

ImageSurface::ImageSurface(std::vector<QImage> pictures, QWidget* view)
    : size(pictures.front().deviceIndependentSize().toSize())
    , pictures(std::move(pictures))
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
    painter.save();
    if (pictures.empty())
        painter.fillRect(area, background);
    else
        painter.drawImage(QPointF(0, 0), pictureFor(painter.device()->devicePixelRatioF()));
    for (const Stroke& stroke : strokes())
        draw(painter, stroke);
    painter.restore();
}

// The sharpest picture that is not larger than the device needs.
const QImage& ImageSurface::pictureFor(qreal devicePixelRatio) const {
    const QImage* chosen = &pictures.front();
    for (const QImage& picture : pictures)
        if (picture.devicePixelRatio() <= devicePixelRatio)
            chosen = &picture;
    return *chosen;
}

QImage ImageSurface::image(qreal devicePixelRatio) const {
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    paint(painter, QRect(QPoint(0, 0), size));
    return image;
}

void ImageSurface::cleared() {
    view->update();
}

void ImageSurface::added(const Stroke&) {
    view->update();
}

void ImageSurface::draw(QPainter& painter, const Stroke& stroke) {
    const float* v = stroke.values;
    switch (stroke.kind) {
    case Stroke::line: {
        // Drawn in whole device pixels, so that at any scale every line of a width is equally
        // thick and sharp; at 100 % these are the line's own coordinates.
        const qreal scale = painter.device()->devicePixelRatioF();
        const auto snapped = [scale](float value) { return qreal(qRound(value * scale)); };
        painter.save();
        painter.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale), true);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(toQColor(stroke.pen), std::max(1, qRound(stroke.width * scale)),
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(snapped(v[0]), snapped(v[1])),
                         QPointF(snapped(v[2]), snapped(v[3])));
        painter.restore();
        break;
    }
    case Stroke::circle:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(toQColor(stroke.pen), stroke.width));
        painter.setBrush(stroke.fillStyle == FillStyle::solid ? QBrush(toQColor(stroke.fill))
                                                              : Qt::NoBrush);
        painter.drawEllipse(QPointF(v[0], v[1]), v[2], v[2]);
        break;
    case Stroke::arc: {
        const auto [from, span] = sweep(stroke);
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
