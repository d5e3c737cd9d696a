#pragma once

class QWidget;

namespace pomvexa {

// Asks the window manager to give the top-level window no taskbar button. Call it before the
// window is first shown; where the platform has no such hint it does nothing.
void skipTaskbar(QWidget* window);

} // namespace pomvexa
