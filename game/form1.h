#pragma once

#include "runtime/runtime.h"

#include <cstdint>

namespace pomvexa {

// The controls of the game window that the round logic works on.
struct Form1Controls {
    Window& form;
    Surface& formCanvas; // the window's client area
    Control& Picture1;
    Surface& Picture1Canvas; // the inside of Picture1
    Timer& Timer1;
    MenuItem& mnueasy;
    MenuItem& mnumoderate;
    MenuItem& mnuhard;
    MenuItem& mnuimpossible;
    Window& frmAbout; // the About box, loaded when first shown
};

// The game itself: the state of a round, the difficulty levels, the jumps of the face picture,
// the scoring of clicks and the drawing of the playfield frame and of the face. It owns the round
// state and reaches the toolkit only through the runtime and the controls it is given.
class Form1 {
public:
    static constexpr std::int16_t jumpsPerRound = 30;
    static constexpr std::int16_t startupInterval = 500;
    static constexpr std::int16_t easyInterval = 1000;
    static constexpr std::int16_t moderateInterval = 700;
    static constexpr std::int16_t hardInterval = 400;
    static constexpr std::int16_t impossibleInterval = 250;
    // A click scores only while the timer runs at an interval above this.
    static constexpr std::int32_t scoringIntervalFloor = 100;

    Form1(Runtime& runtime, const Form1Controls& controls);

    void Form_Load();
    void mnustartgame_Click();
    void mnuexit_Click();
    void mnueasy_Click();
    void mnumoderate_Click();
    void mnuhard_Click();
    void mnuimpossible_Click();
    void Timer1_Timer();
    void Picture1_Click();
    void about_Click();
    void help_Click();

    std::int16_t currentScore() const { return score; }
    std::int16_t currentJumpCount() const { return jumpCount; }
    std::int16_t currentLevelInterval() const { return levelInterval; }

private:
    void initGame();
    void chooseLevel(MenuItem& item, std::int16_t interval);
    void drawscreen();
    void DrawFace();

    Runtime& runtime;
    Form1Controls controls;

    std::int16_t score = 0;
    std::int16_t jumpCount = 0;
    std::int16_t levelInterval = 0;
    MenuItem* checkedLevelItem = nullptr;
};

} // namespace pomvexa
