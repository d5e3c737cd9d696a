#include "web/aboutpanel.h"

#include "runtime/eventdelivery.h"
#include "web/page.h"

namespace pomvexa {

AboutPanel::AboutPanel(Runtime& runtime, Registry& registry, std::function<void()> closed)
    : runtime(runtime)
    , closed(std::move(closed))
    , form(runtime, registry, frmAboutControls{*this, lblTitle, lblVersion}) {
}

bool AboutPanel::handle(PageEvent event) {
    switch (event) {
    case PageEvent::aboutOk:
    case PageEvent::aboutClose: // the close button unloads the box as OK does
        if (loaded)
            deliver(runtime, form, &frmAbout::cmdOK_Click);
        return true;
    case PageEvent::aboutSysInfo:
        if (loaded)
            deliver(runtime, form, &frmAbout::cmdSysInfo_Click);
        return true;
    default:
        return false;
    }
}

void AboutPanel::setCaption(const std::string& text) {
    pomvexa_set_text("about-caption", text.c_str());
}

// A fresh load starts from the texts the box is designed with, then builds its own.
void AboutPanel::showModeless() {
    if (!loaded) {
        loaded = true;
        setCaption("Pomvexa");
        lblTitle.setCaption("Pomvexa");
        lblVersion.setCaption("V1.0");
        deliver(runtime, form, &frmAbout::Form_Load);
    }
    pomvexa_show_window("about", 1);
}

void AboutPanel::unload() {
    if (!loaded)
        return;
    loaded = false;
    pomvexa_show_window("about", 0);
    closed();
}

} // namespace pomvexa
