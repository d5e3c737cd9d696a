#include "qt/resourcebitmap.h"

#include <QResource>

#include <cstdint>

namespace pomvexa {
namespace {

std::uint32_t little(const uchar* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

} // namespace

QImage resourceBitmap(const QString& path) {
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    const uchar* file = resource.data();
    const qint64 size = resource.size();
    // The file header (14 bytes) and the BITMAPINFOHEADER (40 bytes, or a later, larger one).
    constexpr qint64 headers = 54;
    if (size < headers || file[0] != 'B' || file[1] != 'M' || little(file + 14, 4) < 40)
        return {};
    const qint64 pixels = little(file + 10, 4);
    const auto width = static_cast<std::int32_t>(little(file + 18, 4));
    const auto height = static_cast<std::int32_t>(little(file + 22, 4));
    const bool topDown = height < 0;
    const qint64 rows = topDown ? -qint64(height) : height;
    if (width <= 0 || width > 4096 || rows == 0 || rows > 4096 || little(file + 26, 2) != 1 ||
        little(file + 28, 2) != 24 || little(file + 30, 4) != 0)
        return {};
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    if (pixels < headers || pixels + stride * rows > size)
        return {};

    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    for (qint64 y = 0; y < rows; ++y) {
        const uchar* source = file + pixels + stride * (topDown ? y : rows - 1 - y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (int x = 0; x < width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

} // namespace pomvexa
