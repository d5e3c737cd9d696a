#pragma once

namespace pomvexa {

// Runs the program on the Windows API: the runtime, the game window and the About box; returns
// when the last window has been unloaded.
int runWin32Application();

} // namespace pomvexa
