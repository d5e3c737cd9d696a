#include "web/facepicture.h"

#include <cstddef>
#include <cstdint>

namespace pomvexa {

// Written by the build from resources/face-visible.bmp.
extern const std::uint8_t faceBitmap[];
extern const std::size_t faceBitmapSize;

const Bitmap& facePicture() {
    static const Bitmap picture(faceBitmap, faceBitmapSize);
    return picture;
}

} // namespace pomvexa
