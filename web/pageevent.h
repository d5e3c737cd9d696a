#pragma once

namespace pomvexa {

// What the page hands to the program, as numbered in page/start.js (and firstpaint.js).
enum class PageEvent : int {
    start = 0,
    exit = 1,
    easy = 2,
    moderate = 3,
    hard = 4,
    impossible = 5,
    help = 6,
    about = 7,
    pictureClick = 8,
    tick = 9,
    gameClose = 10,
    aboutOk = 11,
    aboutSysInfo = 12,
    aboutClose = 13,
    repaint = 14,
};

} // namespace pomvexa
