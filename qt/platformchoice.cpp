#include "qt/platformchoice.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLibraryInfo>

namespace pomvexa {
namespace {

std::string variable(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

// Whether an X server may answer at the display: a local display (":0", "unix:0", ":0.1") if
// its socket is there; a display on another host (SSH's forwarding among them) cannot be told
// without connecting, so it counts as reachable.
bool x11ServerMayAnswer(const std::string& display) {
    if (display.empty())
        return false;
    const auto colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = display.substr(0, colon);
    if (!host.empty() && host != "unix")
        return true;
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromStdString(number));
}

// Listed without a name filter: a wildcard filter would bring in the regular expression engine
// and its memory for one look at a folder.
bool waylandPluginInstalled() {
    QDirIterator plugins(
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"), QDir::Files);
    while (plugins.hasNext())
        if (QFileInfo(plugins.next()).fileName().startsWith(QLatin1String("libqwayland")))
            return true;
    return false;
}

} // namespace

SessionEnvironment SessionEnvironment::current() {
    SessionEnvironment session;
    session.qtPlatform = variable("QT_QPA_PLATFORM");
    session.x11Display = variable("DISPLAY");
    session.x11Reachable = x11ServerMayAnswer(session.x11Display);
    session.waylandDisplay = variable("WAYLAND_DISPLAY");
    session.sessionType = variable("XDG_SESSION_TYPE");
    // The compositor's socket: WAYLAND_DISPLAY as a path, or a name in the runtime directory,
    // "wayland-0" when it is not set.
    QString socket = QString::fromStdString(session.waylandDisplay);
    if (socket.isEmpty())
        socket = QStringLiteral("wayland-0");
    if (QDir::isRelativePath(socket))
        socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + socket;
    session.waylandReachable = QFileInfo::exists(socket);
    session.waylandPlugin = waylandPluginInstalled();
    return session;
}

Platform choosePlatform(const SessionEnvironment& session) {
    if (!session.qtPlatform.empty())
        return Platform::userChoice;
    const bool wayland = session.waylandReachable && session.waylandPlugin &&
                         (!session.waylandDisplay.empty() || session.sessionType == "wayland");
    // A local X server's socket can be missing where the server listens only on an abstract
    // socket: without Wayland to fall back on, the X server is tried all the same.
    if (!session.x11Display.empty() && (session.x11Reachable || !wayland))
        return Platform::x11;
    return wayland ? Platform::wayland : Platform::none;
}

} // namespace pomvexa
