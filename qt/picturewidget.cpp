#include "qt/picturewidget.h"

#include "qt/accessiblerole.h"
#include "qt/trace.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace pomvexa {
namespace {

// Each picture's top-left corner on a background of the box's colour, cut to the inside area.
std::vector<QImage> insideImages(const std::vector<QImage>& pictures, QSize inside,
                                 const QColor& background) {
    std::vector<QImage> images;
    for (const QImage& picture : pictures) {
        const qreal scale = picture.devicePixelRatio();
        const QSize pixels = inside * scale;
        if (picture.size() == pixels) { // shared, not copied, where it is the inside already
            images.push_back(picture.convertToFormat(QImage::Format_RGB32));
            continue;
        }
        QImage image(pixels, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(background);
        QPainter painter(&image);
        painter.drawImage(QPoint(0, 0), picture);
        images.push_back(image);
    }
    return images;
}

// One ring of a border in device pixels: the top and left bands in one colour, the bottom and
// right bands, corners included, in the other.
void fillRing(QPainter& painter, const QRect& outside, int thickness, const QColor& topLeft,
              const QColor& bottomRight) {
    const int width = outside.width();
    const int height = outside.height();
    const QPoint at = outside.topLeft();
    painter.fillRect(QRect(at, QSize(width - thickness, thickness)), topLeft);
    painter.fillRect(QRect(at, QSize(thickness, height - thickness)), topLeft);
    painter.fillRect(QRect(at + QPoint(0, height - thickness), QSize(width, thickness)),
                     bottomRight);
    painter.fillRect(QRect(at + QPoint(width - thickness, 0), QSize(thickness, height)),
                     bottomRight);
}

// The sunken two-line border of a Windows-style panel, as qDrawWinPanel draws it at 100 %, with
// each line in whole device pixels at any scale (qDrawWinPanel draws one-device-pixel lines,
// which leave a gap inside the border above 100 %).
void drawSunkenBorder(QPainter& painter, QSize size, const QPalette& palette) {
    const qreal scale = painter.device()->devicePixelRatioF();
    const QRect device(0, 0, qRound(size.width() * scale), qRound(size.height() * scale));
    const int outer = std::max(1, qRound(scale));
    const int inner = std::max(1, qRound(PictureWidget::borderWidth * scale) - outer);
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale), true);
    fillRing(painter, device, outer, palette.color(QPalette::Dark), palette.color(QPalette::Light));
    fillRing(painter, device.adjusted(outer, outer, -outer, -outer), inner,
             palette.color(QPalette::Shadow), palette.color(QPalette::Midlight));
    painter.restore();
}

} // namespace

PictureWidget::PictureWidget(const std::vector<QImage>& pictures, QSize size, QWidget* parent)
    : QWidget(parent)
    , drawing(insideImages(pictures,
                           size.shrunkBy({borderWidth, borderWidth, borderWidth, borderWidth}),
                           palette().color(QPalette::Button)),
              this) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleRole(*this, QAccessible::Graphic);
}

void PictureWidget::move(float left, float top) {
    QWidget::move(qRound(left), qRound(top));
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawSunkenBorder(painter, size(), palette());
    painter.translate(borderWidth, borderWidth);
    drawing.paint(painter, QRect(QPoint(0, 0), size().shrunkBy({borderWidth, borderWidth,
                                                                borderWidth, borderWidth})));
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed = true;
}

// A double click arrives as a press of its own (QWidget's default), so every click counts.
void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed)
        return;
    pressed = false;
    if (rect().contains(event->position().toPoint())) {
        // The display server's time of the release, in milliseconds.
        trace::event("click", static_cast<long long>(event->timestamp()));
        trace::whenIdle("click-done");
        emit clicked();
    }
}

} // namespace pomvexa
