#pragma once

#include "game/form1.h"
#include "qt/actionmenuitem.h"
#include "qt/widgetwindow.h"
#include "runtime/runtime.h"

#include <QMainWindow>

#include <memory>

namespace pomvexa {

class CanvasWidget;
class PictureWidget;
class QtRuntime;
class TimerControl;

// The game window: a fixed 527 x 391 playfield under a menu bar, with the face picture and the
// timer. It owns its controls and the round logic, and hands every menu choice, click and tick
// to the round logic through the runtime's event delivery. Closing it ends the round with it.
class GameWindow : public WidgetWindow<QMainWindow> {
    Q_OBJECT

public:
    static constexpr QSize clientSize{527, 391};

    // aboutBox is the program's About box, which outlives this window.
    GameWindow(QtRuntime& runtime, Window& aboutBox);
    ~GameWindow() override;

    const Form1& game() const { return *form; }

protected:
    // No tick may reach a window that is going away.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createActions();
    void createMenus();
    void connectEvents();

    QtRuntime& runtime;

    CanvasWidget* canvas = nullptr;
    PictureWidget* picture = nullptr;
    TimerControl* timer = nullptr;

    QAction* startAction = nullptr;
    QAction* exitAction = nullptr;
    QAction* easyAction = nullptr;
    QAction* moderateAction = nullptr;
    QAction* hardAction = nullptr;
    QAction* impossibleAction = nullptr;
    QAction* helpAction = nullptr;
    QAction* aboutAction = nullptr;

    std::unique_ptr<ActionMenuItem> easyItem;
    std::unique_ptr<ActionMenuItem> moderateItem;
    std::unique_ptr<ActionMenuItem> hardItem;
    std::unique_ptr<ActionMenuItem> impossibleItem;

    std::unique_ptr<Form1> form;
};

} // namespace pomvexa
