#include "qt/gamewindow.h"

#include "qt/canvaswidget.h"
#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/resourcebitmap.h"
#include "qt/timercontrol.h"
#include "qt/trace.h"
#include "qt/windowhints.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>

namespace pomvexa {
namespace {

constexpr QPoint pictureOrigin{24, 16};
constexpr QSize pictureSize{100, 100};

} // namespace

GameWindow::GameWindow(QtRuntime& runtime, Window& aboutBox)
    : WidgetWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , runtime(runtime) {
    setWindowTitle(QStringLiteral("Pomvexa-  tarnik"));
    setWindowIcon(faceIcon());

    keepLightColours(this);
    createControls();
    createActions();
    createMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    form = std::make_unique<Form1>(runtime, Form1Controls{
                                                .form = *this,
                                                .formCanvas = canvas->surface(),
                                                .Picture1 = *picture,
                                                .Picture1Canvas = picture->surface(),
                                                .Timer1 = *timer,
                                                .mnueasy = *easyItem,
                                                .mnumoderate = *moderateItem,
                                                .mnuhard = *hardItem,
                                                .mnuimpossible = *impossibleItem,
                                                .frmAbout = aboutBox,
                                            });
    connectEvents();
    deliver(runtime, *form, &Form1::Form_Load);
}

GameWindow::~GameWindow() = default;

void GameWindow::closeEvent(QCloseEvent* event) {
    timer->setInterval(0);
    WidgetWindow::closeEvent(event);
}

void GameWindow::createControls() {
    canvas = new CanvasWidget(clientSize, this);
    canvas->setAccessibleName(QStringLiteral("游戏区"));
    setCentralWidget(canvas);

    timer = new TimerControl(this);
    timer->setObjectName(QStringLiteral("Timer1"));

    picture = new PictureWidget({resourceBitmap(QStringLiteral(":/face-visible.bmp"))}, pictureSize,
                                canvas);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setAccessibleName(QStringLiteral("笑脸"));
    picture->QWidget::move(pictureOrigin);
}

void GameWindow::createActions() {
    startAction = new QAction(QStringLiteral("开始(S)"), this);
    startAction->setObjectName(QStringLiteral("mnustartgame"));
    startAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));

    exitAction = new QAction(QStringLiteral("退出(E)"), this);
    exitAction->setObjectName(QStringLiteral("mnuexit"));

    easyAction = new QAction(QStringLiteral("简单"), this);
    easyAction->setObjectName(QStringLiteral("mnueasy"));
    moderateAction = new QAction(QStringLiteral("中等"), this);
    moderateAction->setObjectName(QStringLiteral("mnumoderate"));
    hardAction = new QAction(QStringLiteral("困难"), this);
    hardAction->setObjectName(QStringLiteral("mnuhard"));
    impossibleAction = new QAction(QStringLiteral("艰难"), this);
    impossibleAction->setObjectName(QStringLiteral("mnuimpossible"));

    easyItem = std::make_unique<ActionMenuItem>(easyAction);
    moderateItem = std::make_unique<ActionMenuItem>(moderateAction);
    hardItem = std::make_unique<ActionMenuItem>(hardAction);
    impossibleItem = std::make_unique<ActionMenuItem>(impossibleAction);

    helpAction = new QAction(QStringLiteral("帮助"), this);
    helpAction->setObjectName(QStringLiteral("help"));
    aboutAction = new QAction(QStringLiteral("关于"), this);
    aboutAction->setObjectName(QStringLiteral("about"));
}

void GameWindow::createMenus() {
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("游戏(G)"));
    gameMenu->setObjectName(QStringLiteral("mnuGame"));
    gameMenu->addAction(startAction);
    gameMenu->addSeparator()->setObjectName(QStringLiteral("mnusep"));
    gameMenu->addAction(exitAction);

    QMenu* levelMenu = menuBar()->addMenu(QStringLiteral("难度"));
    levelMenu->setObjectName(QStringLiteral("nandu"));
    levelMenu->addActions({easyAction, moderateAction, hardAction, impossibleAction});

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助"));
    helpMenu->setObjectName(QStringLiteral("bz"));
    helpMenu->addActions({helpAction, aboutAction});

    // Qt names a drop-down menu for assistive technology by its window title, which is empty;
    // each is named by its title on the menu bar, and the bar by the program, as the page does.
    menuBar()->setAccessibleName(QStringLiteral("Pomvexa"));
    for (QMenu* menu : {gameMenu, levelMenu, helpMenu})
        menu->setAccessibleName(menu->title());
}

void GameWindow::connectEvents() {
    const auto route = [this](QAction* action, void (Form1::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { deliver(runtime, *form, handler); });
    };
    connect(startAction, &QAction::triggered, this, [this] {
        trace::event("start");
        runtime.prepareSound(); // a round is played: its first hit should not wait for it
        deliver(runtime, *form, &Form1::mnustartgame_Click);
    });
    route(exitAction, &Form1::mnuexit_Click);
    route(easyAction, &Form1::mnueasy_Click);
    route(moderateAction, &Form1::mnumoderate_Click);
    route(hardAction, &Form1::mnuhard_Click);
    route(impossibleAction, &Form1::mnuimpossible_Click);
    route(helpAction, &Form1::help_Click);
    route(aboutAction, &Form1::about_Click);

    connect(picture, &PictureWidget::clicked, this,
            [this] { deliver(runtime, *form, &Form1::Picture1_Click); });
    connect(timer, &TimerControl::ticked, this, [this] {
        trace::event("tick");
        deliver(runtime, *form, &Form1::Timer1_Timer);
        trace::event("moved", picture->x(), picture->y());
    });
}

} // namespace pomvexa
