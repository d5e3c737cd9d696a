#include "qt/qtapplication.h"

#include "linux/linuxregistry.h"
#include "qt/aboutbox.h"
#include "qt/gamewindow.h"
#include "qt/platformchoice.h"
#include "qt/qtruntime.h"
#include "qt/trace.h"
#include "version.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace pomvexa {
namespace {

// Says plainly what is missing where there is nothing to open the window on, instead of the
// toolkit's message about platform plugins.
void sayWhatIsMissing(const SessionEnvironment& session) {
    if (!session.qtPlatform.empty())
        std::fprintf(stderr,
                     "Pomvexa: the platform chosen in QT_QPA_PLATFORM (%s) cannot open a window "
                     "here; unset it or choose another.\n"
                     "Pomvexa: QT_QPA_PLATFORM 所选的平台 (%s) 无法在此打开窗口；"
                     "请取消设置或另选一个。\n",
                     session.qtPlatform.c_str(), session.qtPlatform.c_str());
    else if (!session.x11Display.empty())
        std::fprintf(stderr,
                     "Pomvexa: no X server answers at DISPLAY=%s (no display found): start one, "
                     "or run the game from the desktop.\n"
                     "Pomvexa: DISPLAY=%s 上没有 X 服务器应答：请启动它，或在桌面中运行游戏。\n",
                     session.x11Display.c_str(), session.x11Display.c_str());
    else if (session.waylandReachable && !session.waylandPlugin)
        std::fputs("Pomvexa: this Wayland session has no X server (XWayland) and Qt's Wayland "
                   "plugin is not installed: install qt6-wayland.\n"
                   "Pomvexa: 此 Wayland 会话没有 X 服务器 (XWayland)，也没有安装 Qt 的 Wayland "
                   "插件：请安装 qt6-wayland。\n",
                   stderr);
    else
        std::fputs("Pomvexa 需要图形显示 (no display found): 请在桌面中运行，"
                   "或先执行 `Xvfb :99 &` 再以 DISPLAY=:99 启动。\n",
                   stderr);
}

// While the toolkit opens its display. Qt ends the program with a fatal message when no
// platform plugin can be started (a display that does not answer, a compositor that went
// away): the program says what is missing instead and ends with status 1, not an abort. The
// plugin loader's own lines, which suggest reinstalling, are left out; the platform's say what
// it tried.
const SessionEnvironment* openingSession = nullptr;
QtMessageHandler usualHandler = nullptr;

void whileOpeningDisplay(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtFatalMsg) {
        sayWhatIsMissing(*openingSession);
        std::_Exit(1);
    }
    if (context.category != nullptr && std::strcmp(context.category, "qt.qpa.plugin") == 0)
        return;
    usualHandler(type, context, message);
}

// Says once, on standard error, when no installed font has the game's Chinese texts: they would
// show as empty boxes.
void checkChineseFont() {
    if (!QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        return;
    std::fputs("Pomvexa: no installed font has Chinese characters, so the game's texts show as "
               "boxes; install fonts-wqy-microhei or fonts-noto-cjk.\n"
               "Pomvexa: 没有安装含中文字符的字体，游戏的文字会显示为方框；"
               "请安装 fonts-wqy-microhei 或 fonts-noto-cjk。\n",
               stderr);
}

} // namespace

int runQtApplication(int argc, char** argv) {
    trace::start();
    const SessionEnvironment session = SessionEnvironment::current();
    const Platform platform = choosePlatform(session);
    if (platform == Platform::none) {
        sayWhatIsMissing(session);
        return 1;
    }
    // The choice goes to Qt on the command line, not in the environment, so that programs the
    // game starts make their own.
    std::vector<char*> arguments(argv, argv + argc);
    char platformOption[] = "-platform";
    char x11[] = "xcb";
    char wayland[] = "wayland";
    if (platform != Platform::userChoice) {
        arguments.push_back(platformOption);
        arguments.push_back(platform == Platform::x11 ? x11 : wayland);
    }
    arguments.push_back(nullptr);
    int count = static_cast<int>(arguments.size()) - 1;

    openingSession = &session;
    usualHandler = qInstallMessageHandler(whileOpeningDisplay);
    QApplication application(count, arguments.data());
    qInstallMessageHandler(usualHandler);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(identity::desktopId));
    QtRuntime runtime;
    LinuxRegistry registry;
    AboutBox aboutBox(runtime, registry);
    QPointer<GameWindow> window = new GameWindow(runtime, aboutBox);
    window->setAttribute(Qt::WA_DeleteOnClose);
    trace::firstFrame(window);
    window->show();
    // Well after the first frame, which the font database's scan must not delay.
    QTimer::singleShot(std::chrono::seconds(1), &application, checkChineseFont);
    const int status = QApplication::exec();
    delete window; // still there if the event loop ended before its deferred deletion
    return status;
}

} // namespace pomvexa
