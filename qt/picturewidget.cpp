#include "qt/picturewidget.h"

#include "qt/trace.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

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

} // namespace

PictureWidget::PictureWidget(const std::vector<QImage>& pictures, QSize size, QWidget* parent)
    : QWidget(parent)
    , drawing(insideImages(pictures,
                           size.shrunkBy({borderWidth, borderWidth, borderWidth, borderWidth}),
                           palette().color(QPalette::Button)),
              this) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::move(float left, float top) {
    QWidget::move(qRound(left), qRound(top));
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
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
