#include "qt/trace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#ifdef POMVEXA_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace pomvexa::trace {

bool detail::on = false;

namespace {

std::FILE* output = nullptr;

// A round trip to the display server: it has handled every request sent before, the painted
// picture among them, when the reply comes.
void roundTrip() {
#ifdef POMVEXA_HAVE_XCB
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr && x11->connection() != nullptr) {
        xcb_connection_t* connection = x11->connection();
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
#endif
}

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The painted picture is sent to the server after the paint event returns.
            QTimer::singleShot(0, this, [this] {
                roundTrip();
                trace::event("first-frame");
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void start() {
    const char* path = std::getenv("POMVEXA_TRACE");
    if (path == nullptr || *path == '\0')
        return;
    output = std::fopen(path, "w");
    detail::on = output != nullptr;
}

void detail::write(const char* name, long long first, long long second) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    std::fprintf(output, "%lld %s %lld %lld\n", micros, name, first, second);
    std::fflush(output);
}

void whenIdle(const char* name) {
    if (detail::on)
        QTimer::singleShot(0, qApp, [name] { event(name); });
}

void firstFrame(QWidget* window) {
    if (!detail::on)
        return;
    QWidget* painted = window;
    if (auto* main = qobject_cast<QMainWindow*>(window); main != nullptr && main->centralWidget())
        painted = main->centralWidget();
    painted->installEventFilter(new FirstPaintWatcher(window));
}

} // namespace pomvexa::trace
