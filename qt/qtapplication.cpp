#include "qt/qtapplication.h"

#include "linux/linuxregistry.h"
#include "qt/aboutbox.h"
#include "qt/gamewindow.h"
#include "qt/qtruntime.h"
#include "qt/trace.h"
#include "version.h"

#include <QApplication>
#include <QPointer>

#include <cstdio>

namespace pomvexa {
namespace {

// Without a display the toolkit would abort with a message about platform plugins; say plainly
// what is missing instead.
bool displayMissing() {
#ifdef Q_OS_LINUX
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty())
        return !x11 && !wayland;
    if (platform.startsWith("xcb"))
        return !x11;
    if (platform.startsWith("wayland"))
        return !wayland;
#endif
    return false;
}

} // namespace

int runQtApplication(int argc, char** argv) {
    trace::start();
    if (displayMissing()) {
        std::fputs("Pomvexa 需要图形显示 (no display found): 请在桌面中运行，"
                   "或先执行 `Xvfb :99 &` 再以 DISPLAY=:99 启动。\n",
                   stderr);
        return 1;
    }

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(identity::desktopId));
    QtRuntime runtime;
    LinuxRegistry registry;
    AboutBox aboutBox(runtime, registry);
    QPointer<GameWindow> window = new GameWindow(runtime, aboutBox);
    window->setAttribute(Qt::WA_DeleteOnClose);
    trace::firstFrame(window);
    window->show();
    const int status = QApplication::exec();
    delete window; // still there if the event loop ended before its deferred deletion
    return status;
}

} // namespace pomvexa
