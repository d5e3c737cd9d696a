// Preloaded into WebKitGTK's browser by tests/web/webkit.py when the page is to see a phone: a
// seat with a touchscreen then reports no mouse, so that WebKit's (pointer), (any-pointer),
// (hover) and (any-hover) media features describe a phone's touch screen. An X server always
// has a mouse on its seat, the XTEST pointer, which no client can detach.
//
// Built without GTK's headers: cc -shared -fPIC -O2 -Wall -Wextra -o libtouchscreen_pointer.so
// touchscreen_pointer.c -ldl
#define _GNU_SOURCE
#include <dlfcn.h>

typedef struct GdkSeat GdkSeat;

// GDK 3's GDK_SEAT_CAPABILITY_POINTER and GDK_SEAT_CAPABILITY_TOUCH.
enum { pointer_capability = 1, touch_capability = 2 };

int gdk_seat_get_capabilities(GdkSeat* seat);

int gdk_seat_get_capabilities(GdkSeat* seat) {
    static int (*next)(GdkSeat*);
    if (!next)
        next = (int (*)(GdkSeat*))dlsym(RTLD_NEXT, "gdk_seat_get_capabilities");
    int capabilities = next(seat);
    if (capabilities & touch_capability)
        capabilities &= ~pointer_capability;
    return capabilities;
}
