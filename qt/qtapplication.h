#pragma once

namespace pomvexa {

// Runs the program on Qt: the toolkit, the runtime and the game window; returns when the last
// window has been closed.
int runQtApplication(int argc, char** argv);

} // namespace pomvexa
