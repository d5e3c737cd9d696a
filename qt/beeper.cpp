#include "qt/beeper.h"

#include <QApplication>

#ifdef POMVEXA_HAVE_CANBERRA
#include <canberra.h>
#endif

namespace pomvexa {

Beeper::~Beeper() {
#ifdef POMVEXA_HAVE_CANBERRA
    if (context != nullptr)
        ca_context_destroy(context);
#endif
}

void Beeper::beep() {
    if (!playThemeSound())
        QApplication::beep();
}

bool Beeper::playThemeSound() {
#ifdef POMVEXA_HAVE_CANBERRA
    // Once the sound system has refused, it is not asked again on every click.
    if (themeSoundFailed)
        return false;
    if (context == nullptr && ca_context_create(&context) != CA_SUCCESS) {
        context = nullptr;
        themeSoundFailed = true;
        return false;
    }
    for (const char* event : {"bell-window-system", "bell"}) {
        if (ca_context_play(context, 0, CA_PROP_EVENT_ID, event, CA_PROP_EVENT_DESCRIPTION, "Hit",
                            nullptr) == CA_SUCCESS)
            return true;
    }
    themeSoundFailed = true;
#endif
    return false;
}

} // namespace pomvexa
