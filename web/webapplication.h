#pragma once

namespace pomvexa {

// Starts the game on the page: loads and shows the game window. The page then hands every
// event to the program until no window of it is loaded any more.
void runWebApplication();

} // namespace pomvexa
