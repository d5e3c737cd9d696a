#pragma once

#include "qt/imagesurface.h"

#include <QWidget>

namespace pomvexa {

// The game window's client area: a fixed-size widget that shows its own drawing surface.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    CanvasWidget(QSize size, QWidget* parent);

    ImageSurface& surface() { return drawing; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImageSurface drawing;
};

} // namespace pomvexa
