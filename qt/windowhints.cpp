#include "qt/windowhints.h"

#include "qt/resourcebitmap.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>

#ifdef POMVEXA_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace pomvexa {

std::vector<QImage> faceIconImages() {
    QImage large = resourceBitmap(QStringLiteral(":/face-icon-64.bmp"));
    large.setDevicePixelRatio(2);
    return {resourceBitmap(QStringLiteral(":/face-icon.bmp")), large};
}

// Both sizes as they are: an icon tells its sizes by device pixels, and would take the 64-pixel
// image with its ratio of 2 for a second 32-pixel one.
QIcon faceIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(resourceBitmap(QStringLiteral(":/face-icon.bmp"))));
    icon.addPixmap(QPixmap::fromImage(resourceBitmap(QStringLiteral(":/face-icon-64.bmp"))));
    return icon;
}

void keepLightColours(QWidget* window) {
    if (window->palette().color(QPalette::Window).lightness() >= 128)
        return;
    // Built from the classic face colour: lighter and darker shades for the 3-D edges, white
    // for text fields, black text.
    QPalette light(QColor(0xEF, 0xEF, 0xEF));
    light.setColor(QPalette::WindowText, Qt::black);
    light.setColor(QPalette::ButtonText, Qt::black);
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::Base, Qt::white);
    window->setPalette(light);
}

#ifdef POMVEXA_HAVE_XCB
namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

} // namespace

void skipTaskbar(QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr)
        return;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    // The toolkit keeps states that are already set when it maps the window.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND,
                        static_cast<xcb_window_t>(window->winId()), state, XCB_ATOM_ATOM, 32, 1,
                        &skip);
    xcb_flush(connection);
}
#else
void skipTaskbar(QWidget*) {
}
#endif

} // namespace pomvexa
