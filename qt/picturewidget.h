#pragma once

#include "qt/imagesurface.h"
#include "runtime/runtime.h"

#include <QWidget>

#include <vector>

namespace pomvexa {

// A picture box: a fixed-size control with a sunken two-pixel border around a drawing surface
// that starts as the top-left corner of its picture, shown unscaled. It reports a click when a
// left button press on it is released on it.
class PictureWidget : public QWidget, public Control {
    Q_OBJECT

public:
    static constexpr int borderWidth = 2;

    // pictures: the same picture for one or more device-pixel ratios, the 100 % one first.
    PictureWidget(const std::vector<QImage>& pictures, QSize size, QWidget* parent);

    ImageSurface& surface() { return drawing; }

    using QWidget::move;
    void move(float left, float top) override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageSurface drawing;
    bool pressed = false;
};

} // namespace pomvexa
