#include "web/gamepage.h"

#include "runtime/eventdelivery.h"
#include "web/page.h"

namespace pomvexa {

GamePage::GamePage(Runtime& runtime, Window& aboutBox, std::function<void()> closed)
    : runtime(runtime)
    , closed(std::move(closed))
    , form(runtime, Form1Controls{
                        .form = *this,
                        .formCanvas = canvas,
                        .Picture1 = picture,
                        .Picture1Canvas = pictureCanvas,
                        .Timer1 = timer,
                        .mnueasy = easyItem,
                        .mnumoderate = moderateItem,
                        .mnuhard = hardItem,
                        .mnuimpossible = impossibleItem,
                        .frmAbout = aboutBox,
                    }) {
    canvas.cls();
    pictureCanvas.cls();
    deliver(runtime, form, &Form1::Form_Load);
}

bool GamePage::handle(PageEvent event) {
    void (Form1::*handler)() = nullptr;
    switch (event) {
    case PageEvent::start:
        handler = &Form1::mnustartgame_Click;
        break;
    case PageEvent::exit:
        handler = &Form1::mnuexit_Click;
        break;
    case PageEvent::easy:
        handler = &Form1::mnueasy_Click;
        break;
    case PageEvent::moderate:
        handler = &Form1::mnumoderate_Click;
        break;
    case PageEvent::hard:
        handler = &Form1::mnuhard_Click;
        break;
    case PageEvent::impossible:
        handler = &Form1::mnuimpossible_Click;
        break;
    case PageEvent::help:
        handler = &Form1::help_Click;
        break;
    case PageEvent::about:
        handler = &Form1::about_Click;
        break;
    case PageEvent::pictureClick:
        handler = &Form1::Picture1_Click;
        break;
    case PageEvent::tick:
        handler = &Form1::Timer1_Timer;
        break;
    case PageEvent::gameClose: // the close button unloads the window as Exit does
        if (loaded)
            unload();
        return true;
    default:
        return false;
    }
    if (loaded)
        deliver(runtime, form, handler);
    return true;
}

void GamePage::repaint() const {
    canvas.repaint();
    pictureCanvas.repaint();
}

void GamePage::setCaption(const std::string& text) {
    pomvexa_set_text("game-caption", text.c_str());
}

void GamePage::showModeless() {
    pomvexa_show_window("game", 1);
}

// No tick may reach a window that has gone.
void GamePage::unload() {
    if (!loaded)
        return;
    loaded = false;
    timer.setInterval(0);
    pomvexa_show_window("game", 0);
    closed();
}

} // namespace pomvexa
