// The toolkit's floor for the benchmark: a bare Qt window with the game window's client area,
// the same three menus with the same items and Ctrl+N, and eight lines and a filled circle
// drawn at start-up, with nothing behind them. It reports its first frame as the game does.
#include "qt/trace.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>

namespace {

class Playfield : public QWidget {
public:
    Playfield() { setFixedSize(527, 391); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(Qt::black);
        const int lines[8][4] = {{10, 10, 517, 10},   {10, 10, 10, 358},  {522, 5, 522, 362},
                                 {522, 362, 5, 362},  {5, 5, 522, 5},     {5, 5, 5, 363},
                                 {517, 10, 517, 358}, {517, 358, 10, 358}};
        for (const auto& line : lines)
            painter.drawLine(line[0], line[1], line[2], line[3]);
        painter.setBrush(Qt::yellow);
        painter.drawEllipse(QPoint(72, 66), 45, 45);
    }
};

} // namespace

int main(int argc, char** argv) {
    pomvexa::trace::start();
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setCentralWidget(new Playfield);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    QMenu* game = window.menuBar()->addMenu(QStringLiteral("游戏(G)"));
    game->addAction(QStringLiteral("开始(S)"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    game->addSeparator();
    game->addAction(QStringLiteral("退出(E)"), &window, &QWidget::close);
    QMenu* level = window.menuBar()->addMenu(QStringLiteral("难度"));
    for (const char* name : {"简单", "中等", "困难", "艰难"})
        level->addAction(QString::fromUtf8(name));
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("关于"));
    pomvexa::trace::firstFrame(&window);
    window.show();
    return QApplication::exec();
}
