#pragma once

#include <string>

namespace pomvexa {

// What the environment says about the desktop session the program starts in.
struct SessionEnvironment {
    std::string qtPlatform;        // QT_QPA_PLATFORM: the user's own choice of platform plugin
    std::string x11Display;        // DISPLAY
    bool x11Reachable = false;     // a local DISPLAY's socket is there, or DISPLAY is remote
    std::string waylandDisplay;    // WAYLAND_DISPLAY
    std::string sessionType;       // XDG_SESSION_TYPE
    bool waylandReachable = false; // a Wayland compositor's socket is there
    bool waylandPlugin = false;    // Qt's Wayland platform plugin is installed

    // The environment of this process, with the socket and the plugin looked for.
    static SessionEnvironment current();
};

enum class Platform {
    userChoice, // the user's QT_QPA_PLATFORM, left as it is
    x11,        // an X server, XWayland in a Wayland session included
    wayland,    // a Wayland compositor, where no X server is reachable
    none,       // nothing the program can open its window on
};

// The platform to ask Qt for. An X server is preferred where there is one, since only there can
// the About box be placed and kept off the taskbar; Wayland serves where it is the only display.
// The user's own choice always wins; if what it names cannot be opened, Qt's failure to start
// is reported as the program's own.
Platform choosePlatform(const SessionEnvironment& session);

} // namespace pomvexa
