// Draws the face artwork and writes the files made from it:
//   face.jpg  448 x 450 baseline JPEG, a glossy yellow smiley on white, shown in the game;
//   face-visible.bmp  the top-left 96 x 96 pixels of face.jpg as decoded, all of it that the
//             picture box shows: the picture the programs load, with no JPEG decoder;
//   face.ico  32 x 32, 256 colours, fully opaque, the same smiley, the windows' icon;
//   face-icon.bmp  face.ico as decoded, which the Qt program reads without an icon decoder;
//   face-icon-64.bmp  the same icon drawn at 64 x 64, for screens at 200 %;
//   icons/face-N.png  N x N with a transparent background, the desktop's icon at each size.
// Usage: facegen OUTPUT_DIRECTORY
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

const int desktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage drawFace(QSize size, const QColor& background) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 448 x 450 design grid and scaled to the requested size.
    painter.scale(size.width() / 448.0, size.height() / 450.0);

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
    return image;
}

bool writeJpeg(const QImage& image, const QString& path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(70);
    writer.setProgressiveScanWrite(false);
    return writer.write(image);
}

// An icon file with one 32 x 32 image of 8 bits per pixel: a bitmap with a 256-entry palette,
// rows bottom-up, followed by an all-clear transparency mask.
bool writeIcon(const QImage& face, const QString& path) {
    const QImage indexed = face.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const int side = indexed.width();
    const int maskStride = ((side + 31) / 32) * 4;
    const quint32 bitmapBytes = 40 + 256 * 4 + side * side + maskStride * side;

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);                 // icon file, one image
    out << quint8(side) << quint8(side) << quint8(0) << quint8(0); // size, 256 colours
    out << quint16(1) << quint16(8) << bitmapBytes << quint32(22); // planes, bits, size, offset
    out << quint32(40) << qint32(side) << qint32(2 * side);        // header: height with mask
    out << quint16(1) << quint16(8) << quint32(0) << quint32(side * side) << qint32(0) << qint32(0)
        << quint32(256) << quint32(0);
    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    }
    for (int y = side - 1; y >= 0; --y)
        out.writeRawData(reinterpret_cast<const char*>(indexed.constScanLine(y)), side);
    const QByteArray clearMask(maskStride * side, '\0');
    out.writeRawData(clearMask.constData(), clearMask.size());
    return out.status() == QDataStream::Ok;
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
                   writeIcon(drawFace({32, 32}, Qt::white), directory + "/face.ico");
    written = written &&
              QImage(directory + "/face.jpg")
                  .copy(0, 0, 96, 96)
                  .convertToFormat(QImage::Format_RGB888)
                  .save(directory + "/face-visible.bmp", "bmp") &&
              QImage(directory + "/face.ico")
                  .convertToFormat(QImage::Format_RGB888)
                  .save(directory + "/face-icon.bmp", "bmp") &&
              drawFace({64, 64}, Qt::white)
                  .convertToFormat(QImage::Format_RGB888)
                  .save(directory + "/face-icon-64.bmp", "bmp");
    for (const int side : desktopIconSizes) {
        const QString name = QStringLiteral("%1/icons/face-%2.png").arg(directory).arg(side);
        written = written && drawFace({side, side}, Qt::transparent).save(name, "png");
    }
    if (!written) {
        std::fputs("facegen: could not write the images\n", stderr);
        return 1;
    }
    return 0;
}
