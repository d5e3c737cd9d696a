#pragma once

namespace pomvexa {

// Starts the program: the toolkit, the runtime and the game window; returns when the last
// window has been closed.
int runApplication(int argc, char** argv);

} // namespace pomvexa
