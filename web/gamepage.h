#pragma once

#include "game/form1.h"
#include "runtime/runtime.h"
#include "web/canvassurface.h"
#include "web/elementcontrol.h"
#include "web/elementmenuitem.h"
#include "web/facepicture.h"
#include "web/pageevent.h"
#include "web/pagetimer.h"

#include <functional>

namespace pomvexa {

// The game window on the page: the playfield canvas under the menu bar, the face picture and
// the timer. It owns these controls and the round logic, and hands each of the window's events
// to the round logic through the runtime's event delivery. Unloading it hides it for good.
class GamePage : public Window {
public:
    // closed: told when the window is unloaded. aboutBox outlives this window.
    GamePage(Runtime& runtime, Window& aboutBox, std::function<void()> closed);

    bool isLoaded() const { return loaded; }
    // Hands one of the window's events to the round logic; false if it is not one of them.
    bool handle(PageEvent event);
    void repaint();

    void setCaption(const std::string& text) override;
    void showModeless() override;
    void unload() override;

private:
    Runtime& runtime;
    std::function<void()> closed;
    bool loaded = true;

    CanvasSurface canvas{"playfield", 527, 391};
    CanvasSurface pictureCanvas{"picture", 96, 96, &facePicture()};
    ElementControl picture{"Picture1"};
    PageTimer timer;
    ElementMenuItem easyItem{"mnueasy"};
    ElementMenuItem moderateItem{"mnumoderate"};
    ElementMenuItem hardItem{"mnuhard"};
    ElementMenuItem impossibleItem{"mnuimpossible"};
    Form1 form;
};

} // namespace pomvexa
