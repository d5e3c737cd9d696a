#include "qt/canvaswidget.h"

#include "qt/accessiblerole.h"

#include <QPaintEvent>
#include <QPainter>

namespace pomvexa {

CanvasWidget::CanvasWidget(QSize size, QWidget* parent)
    : QWidget(parent)
    , drawing(size, palette().color(QPalette::Button), this) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleRole(*this, QAccessible::Canvas);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    drawing.paint(painter, event->rect());
}

} // namespace pomvexa
