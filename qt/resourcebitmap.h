#pragma once

#include <QImage>
#include <QString>

namespace pomvexa {

// An uncompressed 24-bit bitmap stored in the program's resources, read straight from them into
// an image: no image reader is made, so no decoder is looked for and no format plugin is
// asked. A resource that is not such a bitmap gives a null image.
QImage resourceBitmap(const QString& path);

} // namespace pomvexa
