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
#include <vector>

namespace pomvexa {
namespace {

// Without a display the toolkit would abort with a message about platform plugins; say plainly
// what is missing instead.
void sayWhatIsMissing(const SessionEnvironment& session) {
    if (session.waylandReachable && !session.waylandPlugin && session.x11Display.empty())
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

    QApplication application(count, arguments.data());
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
