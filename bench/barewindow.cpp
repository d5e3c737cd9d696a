// The toolkit's floor for the benchmark: a bare Qt window that shows what the game window shows
// at start-up, with plain Qt calls and nothing of the game: the same 527 x 391 client area, the
// same three menus with the same items and Ctrl+N, the face icon, the frame's eight lines, and a
// sunken 100 x 100 box with the face picture's visible corner and the face drawn over it (four
// filled circles and the mouth, a two-pixel arc). It reports its first frame as the game does.
// Start (Ctrl+N) plays the game's round with plain Qt: a precise QTimer at the interval of the
// level chosen (500 ms until one is) moves the box, painted from one copy of its picture from
// then on, to a random place 30 times, each tick drawing five random numbers as the game's
// does, then stops and shows the score in a message box; its start and its ticks are traced as
// the game's are, so that the benchmark drives and times both alike.
#include "qt/trace.h"

#include <QApplication>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <qdrawutil.h>

#include <chrono>
#include <random>
#include <utility>

namespace {

class Face : public QWidget {
public:
    explicit Face(QWidget* parent)
        : QWidget(parent)
        , picture(QStringLiteral(":/face-visible.bmp")) {
        setGeometry(24, 16, 100, 100);
    }

    // From now on paints the picture as it is now, in one copy: the least a move can cost.
    void keepPainted() {
        if (painted.isNull())
            painted = grab();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!painted.isNull()) {
            painter.drawPixmap(0, 0, painted);
            return;
        }
        qDrawWinPanel(&painter, rect(), palette(), true);
        painter.translate(2, 2);
        painter.drawImage(0, 0, picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const struct {
            int x, y, radius;
            QColor fill;
        } circles[] = {{48, 48, 45, Qt::yellow},
                       {60, 35, 10, Qt::black},
                       {65, 35, 10, Qt::black},
                       {47, 55, 8, Qt::black}};
        for (const auto& circle : circles) {
            painter.setBrush(circle.fill);
            painter.drawEllipse(QPointF(circle.x, circle.y), circle.radius, circle.radius);
        }
        // From 6.0 to 1.0 radians anticlockwise, in sixteenths of a degree.
        painter.setPen(QPen(QColor(3, 0, 0), 2, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(18, 20, 60, 60), 5500, 1176);
    }

private:
    QImage picture;
    QPixmap painted;
};

class Playfield : public QWidget {
public:
    Playfield()
        : face(new Face(this))
        , random(static_cast<std::uint32_t>(
              std::chrono::steady_clock::now().time_since_epoch().count())) {
        setFixedSize(527, 391);
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, this, &Playfield::jump);
    }

    void setLevel(int milliseconds) { interval = milliseconds; }

    void start() {
        face->keepPainted();
        jumps = 0;
        timer.start(interval);
        pomvexa::trace::event("timer-start", interval);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(Qt::black);
        const int lines[8][4] = {{10, 10, 517, 10},   {10, 10, 10, 358},  {522, 5, 522, 362},
                                 {522, 362, 5, 362},  {5, 5, 522, 5},     {5, 5, 5, 363},
                                 {517, 10, 517, 358}, {517, 358, 10, 358}};
        for (const auto& line : lines)
            painter.drawLine(line[0], line[1], line[2], line[3]);
    }

private:
    void jump() {
        pomvexa::trace::event("tick");
        std::uniform_real_distribution<float> unit;
        const int left = int(unit(random) * 391 + 20);
        const int top = int(unit(random) * 231 + 20);
        colour = qRgb(int(unit(random) * 255), int(unit(random) * 255), int(unit(random) * 255));
        face->move(left, top);
        if (++jumps == 30) {
            timer.stop();
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pomvexa"),
                            QStringLiteral("你的成绩:0"), QMessageBox::Ok, window());
            box.exec();
        }
        pomvexa::trace::event("moved", face->x(), face->y());
    }

    Face* face;
    std::minstd_rand random;
    QTimer timer;
    int interval = 500;
    int jumps = 0;
    QRgb colour = 0; // the foreground colour the game sets on each tick; nothing draws with it
};

} // namespace

int main(int argc, char** argv) {
    pomvexa::trace::start();
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    QIcon icon(QStringLiteral(":/face-icon.bmp"));
    icon.addFile(QStringLiteral(":/face-icon-64.bmp"));
    window.setWindowIcon(icon);
    auto* playfield = new Playfield;
    window.setCentralWidget(playfield);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    QMenu* game = window.menuBar()->addMenu(QStringLiteral("游戏(G)"));
    game->addAction(QStringLiteral("开始(S)"), playfield, &Playfield::start)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    game->addSeparator();
    game->addAction(QStringLiteral("退出(E)"), &window, &QWidget::close);
    QMenu* level = window.menuBar()->addMenu(QStringLiteral("难度"));
    const std::pair<const char*, int> levels[] = {
        {"简单", 1000}, {"中等", 700}, {"困难", 400}, {"艰难", 250}};
    for (const auto& [name, milliseconds] : levels)
        level->addAction(QString::fromUtf8(name), playfield,
                         [playfield, milliseconds] { playfield->setLevel(milliseconds); });
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("关于"));
    pomvexa::trace::firstFrame(&window);
    window.show();
    return QApplication::exec();
}
