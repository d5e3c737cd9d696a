#include "web/gamepage.h"

#include "runtime/eventdelivery.h"
#include "web/page.h"

#include <utility>

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
    static constexpr std::pair<PageEvent, void (Form1::*)()> handlers[] = {
        {PageEvent::start, &Form1::mnustartgame_Click},
        {PageEvent::exit, &Form1::mnuexit_Click},
        {PageEvent::easy, &Form1::mnueasy_Click},
        {PageEvent::moderate, &Form1::mnumoderate_Click},
        {PageEvent::hard, &Form1::mnuhard_Click},
        {PageEvent::impossible, &Form1::mnuimpossible_Click},
        {PageEvent::help, &Form1::help_Click},
        {PageEvent::about, &Form1::about_Click},
        {PageEvent::pictureClick, &Form1::Picture1_Click},
        {PageEvent::tick, &Form1::Timer1_Timer},
    };
    if (event == PageEvent::gameClose) { // the close button unloads the window as Exit does
        unload();
        return true;
    }
    for (const auto& [handled, handler] : handlers) {
        if (handled != event)
            continue;
        if (loaded)
            deliver(runtime, form, handler);
        return true;
    }
    return false;
}

void GamePage::repaint() {
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
