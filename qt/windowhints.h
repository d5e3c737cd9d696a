#pragma once

#include <QIcon>
#include <QImage>

#include <vector>

class QWidget;

namespace pomvexa {

// Asks the window manager to give the top-level window no taskbar button. Call it before the
// window is first shown; where the platform has no such hint it does nothing.
void skipTaskbar(QWidget* window);

// The face icon at 32 pixels and, for screens at 200 %, 64.
QIcon faceIcon();
std::vector<QImage> faceIconImages();

// Keeps the window light under a dark colour scheme: its frame and labels are black by design,
// and black on a dark face colour cannot be read. The window, its controls and its menus then
// take the classic light colours (black text on the light grey 3-D face colour); under a light
// scheme nothing changes. Call it before the window's controls are made.
void keepLightColours(QWidget* window);

} // namespace pomvexa
