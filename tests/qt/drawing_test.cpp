#include "drawingexpectations.h"
#include "memoryregistry.h"
#include "qt/aboutbox.h"
#include "qt/canvaswidget.h"
#include "qt/gamewindow.h"
#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/resourcebitmap.h"
#include "qt/timercontrol.h"

#include <QAction>
#include <QImageReader>

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

Rgb rgb(QRgb pixel) {
    return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

bool isBlack(QRgb pixel) {
    return testing::isBlack(rgb(pixel));
}

// The game window's drawing, read back from the images that its surfaces keep.
class DrawingTest : public ::testing::Test {
protected:
    QImage canvas() { return window.findChild<CanvasWidget*>()->surface().image(); }
    QImage face() { return window.findChild<PictureWidget*>("Picture1")->surface().image(); }

    QtRuntime runtime;
    MemoryRegistry registry;
    AboutBox aboutBox{runtime, registry};
    GameWindow window{runtime, aboutBox};
};

class FramePixelTest : public DrawingTest, public ::testing::WithParamInterface<FramePixel> {};

TEST_P(FramePixelTest, FrameIsTwoBlackRectangles) {
    const FramePixel& at = GetParam();
    const QRgb pixel = canvas().pixel(at.x, at.y);
    EXPECT_EQ(isBlack(pixel), at.black) << at.x << "," << at.y << " is " << std::hex << pixel;
    if (!at.black) {
        EXPECT_EQ(pixel, canvas().pixel(frameBackgroundX, frameBackgroundY)) << "background";
    }
}

INSTANTIATE_TEST_SUITE_P(Pixels, FramePixelTest, ::testing::ValuesIn(framePixels),
                         [](const auto& info) { return framePixelName(info.param); });

TEST_F(DrawingTest, FaceIsDrawnOverThePicture) {
    const QImage image = face();
    ASSERT_EQ(image.size(), QSize(96, 96));
    for (const FacePixel& at : facePixels)
        EXPECT_TRUE(at.looksRight(rgb(image.pixel(at.x, at.y)))) << at.part;
}

// The programs read the part of the face picture that the box shows and the icons straight
// from their resources; on screen they must be the artwork, pixel for pixel: the JPEG's corner,
// the ICO's 32-pixel image, and the larger icon as Qt's own bitmap reader sees it.
TEST(Artwork, LoadedPicturesAreTheArtworkPixelForPixel) {
    const auto rgb = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB32);
    };
    const QImage jpeg(QStringLiteral(POMVEXA_RESOURCES_DIR "/face.jpg"));
    QImageReader icons(QStringLiteral(POMVEXA_RESOURCES_DIR "/face.ico"));
    QImage ico;
    for (int image = 0; image < icons.imageCount() && ico.width() != 32; ++image) {
        icons.jumpToImage(image);
        ico = icons.read();
    }
    const QImage large(QStringLiteral(":/face-icon-64.bmp"));
    ASSERT_FALSE(jpeg.isNull() || ico.isNull() || large.isNull());
    EXPECT_EQ(resourceBitmap(QStringLiteral(":/face-visible.bmp")), rgb(jpeg.copy(0, 0, 96, 96)));
    EXPECT_EQ(resourceBitmap(QStringLiteral(":/face-icon.bmp")), rgb(ico));
    EXPECT_EQ(resourceBitmap(QStringLiteral(":/face-icon-64.bmp")), rgb(large));
}

TEST_F(DrawingTest, FrameIsBlackAgainAfterARoundPaintedRandomColours) {
    auto* timer = window.findChild<TimerControl*>("Timer1");
    window.findChild<QAction*>("mnustartgame")->trigger();
    for (int jump = 0; jump < 5; ++jump)
        emit timer->ticked();
    window.findChild<QAction*>("mnustartgame")->trigger();
    EXPECT_TRUE(isBlack(canvas().pixel(5, 200)));
    EXPECT_TRUE(isBlack(canvas().pixel(517, 100)));
}

TEST_F(DrawingTest, WidgetsPaintWhatTheirSurfacesKeep) {
    window.show();
    auto* canvasWidget = window.findChild<CanvasWidget*>();
    const QImage shown = canvasWidget->grab().toImage();
    QImage withoutPicture(canvasWidget->size(), QImage::Format_RGB32);
    canvasWidget->render(&withoutPicture, {}, {}, QWidget::DrawWindowBackground);
    EXPECT_EQ(withoutPicture, canvas()) << "the window paints every pixel its surface keeps";
    EXPECT_TRUE(isBlack(shown.pixel(5, 363)));
    EXPECT_FALSE(isBlack(shown.pixel(7, 7)));
    // The picture box shows its surface inside a two-pixel border.
    const QImage box = window.findChild<PictureWidget*>("Picture1")->grab().toImage();
    EXPECT_EQ(box.size(), QSize(100, 100));
    EXPECT_EQ(box.pixel(32, 62), qRgb(255, 255, 0));
    EXPECT_NE(box.pixel(0, 0), face().pixel(0, 0)) << "border, not picture, at the edge";
}

// At 200 % each of the border's two lines is two device pixels wide, the picture right inside.
TEST_F(DrawingTest, AtTwiceThePictureBoxBorderHasNoGap) {
    auto* box = window.findChild<PictureWidget*>("Picture1");
    QImage image(200, 200, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    box->render(&image);
    const QPalette& colours = box->palette();
    const std::pair<int, QColor> across[] = {
        {0, colours.color(QPalette::Dark)},       {1, colours.color(QPalette::Dark)},
        {2, colours.color(QPalette::Shadow)},     {3, colours.color(QPalette::Shadow)},
        {196, colours.color(QPalette::Midlight)}, {198, colours.color(QPalette::Light)}};
    for (const auto& [x, colour] : across)
        EXPECT_EQ(image.pixel(x, 100), colour.rgb()) << x;
    EXPECT_EQ(image.pixel(4, 4), face().pixel(0, 0)) << "the picture starts inside the border";
}

// The length of the first run of black pixels met walking from the point in the direction.
int blackRun(const QImage& image, QPoint from, QPoint step) {
    QPoint at = from;
    while (image.rect().contains(at) && !isBlack(image.pixel(at)))
        at += step;
    int length = 0;
    for (; image.rect().contains(at) && isBlack(image.pixel(at)); at += step)
        ++length;
    return length;
}

// At 150 % each of the frame's lines is as thick as every other, in whole device pixels.
TEST_F(DrawingTest, AtOneAndAHalfTimesEveryFrameLineIsEquallyThick) {
    const QImage frame = window.findChild<CanvasWidget*>()->surface().image(1.5);
    const QPoint middle(frame.width() / 2, frame.height() / 2);
    const int top = blackRun(frame, {middle.x(), 0}, {0, 1});
    EXPECT_GE(top, 1);
    EXPECT_EQ(blackRun(frame, {0, middle.y()}, {1, 0}), top) << "left";
    EXPECT_EQ(blackRun(frame, {frame.width() - 1, middle.y()}, {-1, 0}), top) << "right";
    EXPECT_EQ(blackRun(frame, {middle.x(), frame.height() - 1}, {0, -1}), top) << "bottom";
}

// At 200 % the face is drawn at the screen's resolution, not the 100 % drawing doubled.
TEST_F(DrawingTest, AtTwiceTheFaceIsDrawnAtTheScreensResolution) {
    const ImageSurface& surface = window.findChild<PictureWidget*>("Picture1")->surface();
    const QImage sharp = surface.image(2).convertToFormat(QImage::Format_RGB32);
    const QImage doubled = surface.image(1).scaled(sharp.size()).convertToFormat(sharp.format());
    ASSERT_EQ(sharp.size(), QSize(192, 192));
    int differing = 0;
    for (int y = 0; y < sharp.height(); ++y)
        for (int x = 0; x < sharp.width(); ++x)
            differing += sharp.pixel(x, y) != doubled.pixel(x, y);
    EXPECT_GT(differing, 200) << "edges of the head, the eyes, the nose and the mouth";
    EXPECT_EQ(sharp.pixel(60, 120), qRgb(255, 255, 0)) << "still the head";
}

} // namespace
} // namespace pomvexa::testing
