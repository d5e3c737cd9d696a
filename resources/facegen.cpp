// Draws the face artwork and writes the files made from it:
//   face.jpg  448 x 450 baseline JPEG, a glossy yellow smiley on white, shown in the game;
//   face-visible.bmp  the top-left 96 x 96 pixels of face.jpg as decoded, all of it that the
//             picture box shows: the picture the programs load, with no JPEG decoder;
//   face-visible.png  the same pixels, smaller, for the benchmark's bare page in a browser;
//   face.ico  the windows' icon, fully opaque, the same smiley on white at each size Windows
//             asks for between 100 and 200 % scale: 32 x 32 in 256 colours, the others in
//             32 bits per pixel, 256 x 256 as PNG;
//   face-icon.bmp  face.ico's 32 x 32 image as decoded, which the Qt program reads without an
//             icon decoder;
//   face-icon-64.bmp  the same icon drawn at 64 x 64, for screens at 200 %;
//   icons/face-N.png  N x N with a transparent background, the desktop's and the web app's
//             icon at each size;
//   icons/face-maskable-512.png  the web app's icon that a system may crop to any shape: the
//             smiley inside the central circle of 80 % on the page's background colour.
// Usage: facegen OUTPUT_DIRECTORY
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

const int desktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
const int webAppIconSizes[] = {192, 512};
// What Windows loads for small and large icons at 100, 125, 150 and 200 % scale.
const int windowsIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
const int indexedIconSize = 32;
const int pngIconSize = 256;
const QColor pageBackground(0x3a, 0x6e, 0xa5);

// Paints the smiley into box, on a 448 x 450 design grid scaled to the box.
void paintFace(QPainter& painter, const QRectF& box) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 448.0, box.height() / 450.0);

    const QPointF centre(224, 225);
    const qreal radius = 200;

    QRadialGradient body(QPointF(170, 150), 300, QPointF(150, 120));
    body.setColorAt(0.0, QColor(255, 252, 190));
    body.setColorAt(0.35, QColor(255, 226, 40));
    body.setColorAt(0.8, QColor(250, 190, 10));
    body.setColorAt(1.0, QColor(225, 150, 0));
    painter.setPen(QPen(QColor(200, 130, 0), 4));
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);

    // The gloss: a soft white band over the upper part of the head.
    QRadialGradient gloss(QPointF(224, 110), 150);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawEllipse(QPointF(224, 115), 150, 85);

    painter.setBrush(QColor(50, 30, 20));
    painter.drawEllipse(QPointF(160, 180), 24, 42);
    painter.drawEllipse(QPointF(288, 180), 24, 42);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(QPointF(168, 162), 7, 11);
    painter.drawEllipse(QPointF(296, 162), 7, 11);

    QPainterPath smile;
    smile.moveTo(120, 270);
    smile.cubicTo(170, 350, 278, 350, 328, 270);
    painter.setPen(QPen(QColor(70, 35, 10), 16, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(smile);
}

QImage drawFace(QSize size, const QColor& background) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    paintFace(painter, QRectF(QPointF(0, 0), size));
    return image;
}

// The face's outline (radius 202 with its pen on the 448-wide grid) spans 0.7 of the side,
// well inside the circle of 0.8 that a mask of any shape keeps.
QImage drawMaskableFace(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(pageBackground);
    QPainter painter(&image);
    const qreal box = side * 0.7 * 448 / 404;
    const qreal margin = (side - box) / 2;
    paintFace(painter, QRectF(margin, margin, box, box));
    return image;
}

bool writeJpeg(const QImage& image, const QString& path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(70);
    writer.setProgressiveScanWrite(false);
    return writer.write(image);
}

// Quality 0 is the PNG writer's strongest compression. The image carries no colour space or
// gamma, so the file has no chunk that would make a browser convert its colours.
bool writeSmallestPng(const QImage& image, const QString& path) {
    QImageWriter writer(path, "png");
    writer.setQuality(0);
    return writer.write(image);
}

// One image of an icon file: its side, bits per pixel and stored bytes.
struct IconImage {
    int side;
    quint16 bits;
    QByteArray data;
};

// The image's bitmap header, its height doubled for the transparency mask that follows.
void writeBitmapHeader(QDataStream& out, int side, quint16 bits, quint32 colours) {
    out << quint32(40) << qint32(side) << qint32(2 * side) << quint16(1) << bits << quint32(0)
        << quint32(side * side * bits / 8) << qint32(0) << qint32(0) << colours << quint32(0);
}

// The mask, all clear: every pixel is the bitmap's own.
void writeOpaqueMask(QDataStream& out, int side) {
    const int maskStride = ((side + 31) / 32) * 4;
    const QByteArray clearMask(maskStride * side, '\0');
    out.writeRawData(clearMask.constData(), clearMask.size());
}

// 8 bits per pixel: a bitmap with a 256-entry palette, rows bottom-up, then the mask.
IconImage indexedImage(const QImage& face) {
    const QImage indexed = face.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const int side = indexed.width();
    IconImage image{side, 8, {}};
    QDataStream out(&image.data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    writeBitmapHeader(out, side, 8, 256);
    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    }
    for (int y = side - 1; y >= 0; --y)
        out.writeRawData(reinterpret_cast<const char*>(indexed.constScanLine(y)), side);
    writeOpaqueMask(out, side);
    return image;
}

// 32 bits per pixel: blue, green, red and alpha, rows bottom-up, then the mask.
IconImage trueColourImage(const QImage& face) {
    const QImage argb = face.convertToFormat(QImage::Format_ARGB32);
    const int side = argb.width();
    IconImage image{side, 32, {}};
    QDataStream out(&image.data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    writeBitmapHeader(out, side, 32, 0);
    for (int y = side - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < side; ++x)
            out << quint32(row[x]);
    }
    writeOpaqueMask(out, side);
    return image;
}

// A PNG of 32 bits per pixel, as icons of 256 x 256 are stored.
IconImage pngImage(const QImage& face) {
    IconImage image{face.width(), 32, {}};
    QBuffer buffer(&image.data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(face.convertToFormat(QImage::Format_ARGB32));
    return image;
}

// An icon file: the directory, one entry per image in the given order, then the images.
bool writeIcon(const QList<IconImage>& images, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        const quint8 side = image.side < 256 ? image.side : 0; // 0 stands for 256
        // Colour count 0: no palette, or one of all 256 entries.
        out << side << side << quint8(0) << quint8(0) << quint16(1) << image.bits
            << quint32(image.data.size()) << offset;
        offset += image.data.size();
    }
    for (const IconImage& image : images)
        out.writeRawData(image.data.constData(), image.data.size());
    return out.status() == QDataStream::Ok;
}

bool writeWindowsIcon(const QString& path) {
    QList<IconImage> images;
    for (const int side : windowsIconSizes) {
        const QImage face = drawFace({side, side}, Qt::white);
        images.append(side == indexedIconSize ? indexedImage(face)
                      : side == pngIconSize   ? pngImage(face)
                                              : trueColourImage(face));
        if (images.last().data.isEmpty())
            return false;
    }
    return writeIcon(images, path);
}

// The icon file's image of the given side as Qt decodes it, or a null image.
QImage iconImage(const QString& path, int side) {
    QImageReader reader(path, "ico");
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        if (image.width() == side)
            return image;
    }
    return {};
}

bool writePngIcons(const QString& directory) {
    const auto writeTransparent = [&](int side) {
        const QString name = QStringLiteral("%1/icons/face-%2.png").arg(directory).arg(side);
        return drawFace({side, side}, Qt::transparent).save(name, "png");
    };
    bool written = true;
    for (const int side : desktopIconSizes)
        written = written && writeTransparent(side);
    for (const int side : webAppIconSizes)
        written = written && writeTransparent(side);
    return written && drawMaskableFace(512).save(directory + "/icons/face-maskable-512.png", "png");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: facegen OUTPUT_DIRECTORY\n", stderr);
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[1]);
    bool written = writeJpeg(drawFace({448, 450}, Qt::white), directory + "/face.jpg") &&
                   writeWindowsIcon(directory + "/face.ico");
    const QImage visible =
        QImage(directory + "/face.jpg").copy(0, 0, 96, 96).convertToFormat(QImage::Format_RGB888);
    written = written && visible.save(directory + "/face-visible.bmp", "bmp") &&
              writeSmallestPng(visible, directory + "/face-visible.png") &&
              iconImage(directory + "/face.ico", indexedIconSize)
                  .convertToFormat(QImage::Format_RGB888)
                  .save(directory + "/face-icon.bmp", "bmp") &&
              drawFace({64, 64}, Qt::white)
                  .convertToFormat(QImage::Format_RGB888)
                  .save(directory + "/face-icon-64.bmp", "bmp") &&
              writePngIcons(directory);
    if (!written) {
        std::fputs("facegen: could not write the images\n", stderr);
        return 1;
    }
    return 0;
}
