#include "memoryregistry.h"
#include "qt/aboutbox.h"
#include "qt/canvaswidget.h"
#include "qt/gamewindow.h"
#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/timercontrol.h"

#include <QAction>

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

bool isBlack(QRgb pixel) {
    return qRed(pixel) < 8 && qGreen(pixel) < 8 && qBlue(pixel) < 8;
}

// The game window's drawing, read back from the images that its surfaces keep.
class DrawingTest : public ::testing::Test {
protected:
    const QImage& canvas() { return window.findChild<CanvasWidget*>()->surface().image(); }
    const QImage& face() { return window.findChild<PictureWidget*>("Picture1")->surface().image(); }

    QtRuntime runtime;
    MemoryRegistry registry;
    AboutBox aboutBox{runtime, registry};
    GameWindow window{runtime, aboutBox};
};

struct FramePixel {
    int x;
    int y;
    bool black;
};

void PrintTo(const FramePixel& at, std::ostream* out) {
    *out << "(" << at.x << ", " << at.y << ") " << (at.black ? "black" : "background");
}

class FramePixelTest : public DrawingTest, public ::testing::WithParamInterface<FramePixel> {};

TEST_P(FramePixelTest, FrameIsTwoBlackRectangles) {
    const FramePixel& at = GetParam();
    const QRgb pixel = canvas().pixel(at.x, at.y);
    EXPECT_EQ(isBlack(pixel), at.black) << at.x << "," << at.y << " is " << std::hex << pixel;
    if (!at.black) {
        EXPECT_EQ(pixel, canvas().pixel(300, 370)) << "background";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, FramePixelTest,
    ::testing::Values(
        // outer rectangle (5, 5)-(522, 362); its left edge runs one pixel further down
        FramePixel{5, 5, true}, FramePixel{522, 5, true}, FramePixel{264, 5, true},
        FramePixel{5, 200, true}, FramePixel{522, 200, true}, FramePixel{264, 362, true},
        FramePixel{522, 362, true}, FramePixel{5, 363, true}, FramePixel{522, 363, false},
        FramePixel{5, 364, false},
        // inner rectangle (10, 10)-(517, 358)
        FramePixel{10, 10, true}, FramePixel{517, 10, true}, FramePixel{10, 358, true},
        FramePixel{517, 358, true}, FramePixel{264, 358, true}, FramePixel{300, 10, true},
        // between the rectangles, outside them and inside the playfield
        FramePixel{7, 7, false}, FramePixel{519, 100, false}, FramePixel{264, 360, false},
        FramePixel{4, 4, false}, FramePixel{523, 100, false}, FramePixel{11, 11, false},
        FramePixel{300, 200, false}),
    [](const auto& info) {
        const FramePixel& at = info.param;
        return "x" + std::to_string(at.x) + "y" + std::to_string(at.y) +
               (at.black ? "Black" : "Background");
    });

TEST_F(DrawingTest, FaceIsDrawnOverThePicture) {
    const QImage& image = face();
    ASSERT_EQ(image.size(), QSize(96, 96));
    EXPECT_EQ(image.pixel(30, 60), qRgb(255, 255, 0)) << "head";
    EXPECT_TRUE(isBlack(image.pixel(62, 35))) << "eyes";
    EXPECT_TRUE(isBlack(image.pixel(47, 55))) << "nose";
    const QRgb mouth = image.pixel(77, 50);
    EXPECT_TRUE(qRed(mouth) < 40 && qGreen(mouth) < 20 && qBlue(mouth) < 20) << "mouth";
    EXPECT_EQ(image.pixel(20, 50), qRgb(255, 255, 0)) << "no mouth on the left side";
    const QRgb corner = image.pixel(1, 1);
    EXPECT_GT(qGray(corner), 250) << "the picture's white corner outside the head";
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
    const QImage shown = window.findChild<CanvasWidget*>()->grab().toImage();
    EXPECT_TRUE(isBlack(shown.pixel(5, 363)));
    EXPECT_FALSE(isBlack(shown.pixel(7, 7)));
    // The picture box shows its surface inside a two-pixel border.
    const QImage box = window.findChild<PictureWidget*>("Picture1")->grab().toImage();
    EXPECT_EQ(box.size(), QSize(100, 100));
    EXPECT_EQ(box.pixel(32, 62), qRgb(255, 255, 0));
    EXPECT_NE(box.pixel(0, 0), face().pixel(0, 0)) << "border, not picture, at the edge";
}

} // namespace
} // namespace pomvexa::testing
