#pragma once

namespace pomvexa {

namespace win32 {
class GameWindow;
class AboutBox;

// The program's message loop: Ctrl+N for the game window, the About box's dialog keys (Tab,
// Enter, Esc, Alt+S), every other message to its window. Returns when the last window has been
// unloaded (or at any other quit message), with the quit message's code.
int runMessageLoop(const GameWindow& game, const AboutBox& about);
} // namespace win32

// Runs the program on the Windows API: the runtime, the game window and the About box; returns
// when the last window has been unloaded. If a window cannot be made at start-up, the run-time
// error is shown and the program ends with status 1.
int runWin32Application();

} // namespace pomvexa
