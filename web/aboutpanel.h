#pragma once

#include "about/frmabout.h"
#include "runtime/registry.h"
#include "runtime/runtime.h"
#include "web/elementlabel.h"
#include "web/pageevent.h"

#include <functional>

namespace pomvexa {

// The program's one About box, a modeless box on the page. Showing it loads it when it is not
// loaded (its texts built afresh) and brings it to the front; OK, Enter, Esc and its close
// button unload it.
class AboutPanel : public Window {
public:
    // closed: told when the box is unloaded.
    AboutPanel(Runtime& runtime, Registry& registry, std::function<void()> closed);

    bool isLoaded() const { return loaded; }
    // Hands one of the box's events to its logic; false if it is not one of them.
    bool handle(PageEvent event);

    void setCaption(const std::string& text) override;
    void showModeless() override;
    void unload() override;

private:
    Runtime& runtime;
    std::function<void()> closed;
    bool loaded = false;
    ElementLabel lblTitle{"lblTitle"};
    ElementLabel lblVersion{"lblVersion"};
    frmAbout form;
};

} // namespace pomvexa
