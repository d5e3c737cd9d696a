#pragma once

#include "web/pixelpainter.h"

namespace pomvexa {

// The picture box's own image, under the face drawn on it: the visible part of the face
// picture, built into the program.
const Bitmap& facePicture();

} // namespace pomvexa
