#include "qt/platformchoice.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace pomvexa {
namespace {

std::string variable(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

SessionEnvironment SessionEnvironment::current() {
    SessionEnvironment session;
    session.qtPlatform = variable("QT_QPA_PLATFORM");
    session.x11Display = variable("DISPLAY");
    session.waylandDisplay = variable("WAYLAND_DISPLAY");
    session.sessionType = variable("XDG_SESSION_TYPE");
    // The compositor's socket: WAYLAND_DISPLAY as a path, or a name in the runtime directory,
    // "wayland-0" when it is not set.
    QString socket = QString::fromStdString(session.waylandDisplay);
    if (socket.isEmpty())
        socket = QStringLiteral("wayland-0");
    if (QDir::isRelativePath(socket))
        socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + socket;
    session.waylandReachable = QFileInfo(socket).exists();
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    session.waylandPlugin =
        !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
    return session;
}

Platform choosePlatform(const SessionEnvironment& session) {
    const bool x11 = !session.x11Display.empty();
    const bool wayland = session.waylandReachable && session.waylandPlugin;
    if (!session.qtPlatform.empty()) {
        if (startsWith(session.qtPlatform, "xcb") && !x11)
            return Platform::none;
        if (startsWith(session.qtPlatform, "wayland") && !wayland)
            return Platform::none;
        return Platform::userChoice;
    }
    if (x11)
        return Platform::x11;
    if (wayland && (!session.waylandDisplay.empty() || session.sessionType == "wayland"))
        return Platform::wayland;
    return Platform::none;
}

} // namespace pomvexa
