#include "game/form1.h"

#include "runtime/values.h"

#include <cmath>
#include <string>

namespace pomvexa {
namespace {

// The picture's top-left corner jumps within left 20..410 and top 20..250, which keeps the
// 100 x 100 picture inside the inner frame.
constexpr double jumpOrigin = 20;
constexpr double jumpWidth = 391;
constexpr double jumpHeight = 231;
constexpr double colourScale = 256;

constexpr Colour mouthColour = 3;

} // namespace

Form1::Form1(Runtime& runtime, const Form1Controls& controls)
    : runtime(runtime)
    , controls(controls) {
}

void Form1::Form_Load() {
    initGame();
}

void Form1::initGame() {
    levelInterval = startupInterval;
    controls.mnumoderate.setChecked(true);
    checkedLevelItem = &controls.mnumoderate;
    runtime.seedRandom();
    drawscreen();
    DrawFace();
}

void Form1::mnustartgame_Click() {
    controls.formCanvas.cls();
    drawscreen();
    score = 0;
    jumpCount = 0;
    controls.Timer1.setInterval(levelInterval);
}

void Form1::mnuexit_Click() {
    controls.form.unload();
}

void Form1::mnueasy_Click() {
    chooseLevel(controls.mnueasy, easyInterval);
}
void Form1::mnumoderate_Click() {
    chooseLevel(controls.mnumoderate, moderateInterval);
}
void Form1::mnuhard_Click() {
    chooseLevel(controls.mnuhard, hardInterval);
}
void Form1::mnuimpossible_Click() {
    chooseLevel(controls.mnuimpossible, impossibleInterval);
}

// The new interval applies from the next Start; a running round keeps its own.
void Form1::chooseLevel(MenuItem& item, std::int16_t interval) {
    levelInterval = interval;
    if (checkedLevelItem != nullptr)
        checkedLevelItem->setChecked(false);
    checkedLevelItem = &item;
    item.setChecked(true);
}

void Form1::Timer1_Timer() {
    // The five random numbers are drawn in this order: left, top, red, green, blue.
    const double left = std::floor(double(runtime.nextRandom()) * jumpWidth + jumpOrigin);
    const double top = std::floor(double(runtime.nextRandom()) * jumpHeight + jumpOrigin);
    const std::int16_t red = roundToInt16(double(runtime.nextRandom()) * colourScale);
    const std::int16_t green = roundToInt16(double(runtime.nextRandom()) * colourScale);
    const std::int16_t blue = roundToInt16(double(runtime.nextRandom()) * colourScale);

    controls.formCanvas.setForeColor(composeColor(red, green, blue));
    controls.Picture1.move(float(left), float(top));

    increment(jumpCount);
    if (jumpCount == jumpsPerRound) {
        controls.Timer1.setInterval(0);
        runtime.showMessage("你的成绩:" + std::to_string(score), MessageStyle::okOnly);
    }
}

void Form1::Picture1_Click() {
    if (controls.Timer1.interval() > scoringIntervalFloor) {
        runtime.soundBeep();
        increment(score);
    }
}

void Form1::about_Click() {
    controls.frmAbout.showModeless();
}

void Form1::help_Click() {
    controls.frmAbout.showModeless();
}

void Form1::drawscreen() {
    Surface& canvas = controls.formCanvas;
    canvas.setForeColor(black);
    canvas.line(10, 10, 517, 10);  // inner top
    canvas.line(10, 10, 10, 358);  // inner left
    canvas.line(522, 5, 522, 362); // outer right
    canvas.line(522, 362, 5, 362); // outer bottom
    canvas.setFillColor(white);
    canvas.line(5, 5, 522, 5);      // outer top
    canvas.line(5, 5, 5, 363);      // outer left, one pixel longer than the right edge
    canvas.line(517, 10, 517, 358); // inner right
    canvas.line(517, 358, 10, 358); // inner bottom
}

void Form1::DrawFace() {
    Surface& picture = controls.Picture1Canvas;
    picture.setFillStyle(FillStyle::solid);
    picture.setFillColor(yellow);
    picture.circle(48, 48, 45); // head
    picture.setFillColor(black);
    picture.circle(60, 35, 10); // eyes, the second drawn over the first
    picture.circle(65, 35, 10);
    picture.circle(47, 55, 8); // nose
    picture.setDrawWidth(2);
    picture.arc(48, 50, 30, mouthColour, 6.0F, 1.0F); // mouth
}

} // namespace pomvexa
