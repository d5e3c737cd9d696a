#include "web/webapplication.h"

#include "web/aboutpanel.h"
#include "web/gamepage.h"
#include "web/noregistry.h"
#include "web/page.h"
#include "web/pageevent.h"
#include "web/webruntime.h"

#include <emscripten.h>

#include <memory>

namespace pomvexa {
namespace {

// The program while it runs: the runtime, the About box and the game window, which hand the
// page's events to their windows' handlers. It ends when neither window is loaded.
class WebApplication {
public:
    WebApplication()
        : about(runtime, registry, [this] { windowClosed(); })
        , game(runtime, about, [this] { windowClosed(); }) {
        game.showModeless();
    }

    void handle(PageEvent event) {
        if (event == PageEvent::repaint)
            game.repaint();
        else if (!game.handle(event))
            about.handle(event);
    }

private:
    void windowClosed() {
        if (!game.isLoaded() && !about.isLoaded())
            pomvexa_ended();
    }

    WebRuntime runtime;
    NoRegistry registry;
    AboutPanel about;
    GamePage game;
};

WebApplication* application = nullptr;

} // namespace

void runWebApplication() {
    static WebApplication running;
    application = &running;
}

} // namespace pomvexa

// The one way the page's events reach the program. The page calls it with ccall's async option,
// since a handler may wait for a message box, and hands it no other event until it returns.
extern "C" EMSCRIPTEN_KEEPALIVE void pomvexa_event(int event) {
    if (pomvexa::application != nullptr)
        pomvexa::application->handle(static_cast<pomvexa::PageEvent>(event));
}
