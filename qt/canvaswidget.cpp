#include "qt/canvaswidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace pomvexa {
namespace {

QImage blankImage(QSize size, const QColor& background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

} // namespace

CanvasWidget::CanvasWidget(QSize size, QWidget* parent)
    : QWidget(parent)
    , drawing(blankImage(size, palette().color(QPalette::Button)), this) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), drawing.image(), event->rect());
}

} // namespace pomvexa
