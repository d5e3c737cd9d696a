#pragma once

#include <ostream>
#include <string>

// What the frame and the face must look like, pixel by pixel, whatever toolkit draws them.
namespace pomvexa::testing {

struct Rgb {
    int red;
    int green;
    int blue;
};

inline bool isBlack(Rgb pixel) {
    return pixel.red < 8 && pixel.green < 8 && pixel.blue < 8;
}

struct FramePixel {
    int x;
    int y;
    bool black;
};

inline void PrintTo(const FramePixel& at, std::ostream* out) {
    *out << "(" << at.x << ", " << at.y << ") " << (at.black ? "black" : "background");
}

inline std::string framePixelName(const FramePixel& at) {
    return "x" + std::to_string(at.x) + "y" + std::to_string(at.y) +
           (at.black ? "Black" : "Background");
}

// Points on and beside the two rectangles of the playfield's frame; the background is what the
// window shows at (300, 370), below the frame.
inline constexpr FramePixel framePixels[] = {
    // outer rectangle (5, 5)-(522, 362); its left edge runs one pixel further down
    {5, 5, true},
    {522, 5, true},
    {264, 5, true},
    {5, 200, true},
    {522, 200, true},
    {264, 362, true},
    {522, 362, true},
    {5, 363, true},
    {522, 363, false},
    {5, 364, false},
    // inner rectangle (10, 10)-(517, 358)
    {10, 10, true},
    {517, 10, true},
    {10, 358, true},
    {517, 358, true},
    {264, 358, true},
    {300, 10, true},
    // between the rectangles, outside them and inside the playfield
    {7, 7, false},
    {519, 100, false},
    {264, 360, false},
    {4, 4, false},
    {523, 100, false},
    {11, 11, false},
    {300, 200, false}};
inline constexpr int frameBackgroundX = 300;
inline constexpr int frameBackgroundY = 370;

struct FacePixel {
    int x;
    int y;
    const char* part;
    bool (*looksRight)(Rgb);
};

inline bool isYellow(Rgb pixel) {
    return pixel.red == 255 && pixel.green == 255 && pixel.blue == 0;
}
inline bool isMouthRed(Rgb pixel) {
    return pixel.red < 40 && pixel.green < 20 && pixel.blue < 20;
}
inline bool isWhite(Rgb pixel) {
    return pixel.red > 250 && pixel.green > 250 && pixel.blue > 250;
}

// Points of the face inside the picture's 96 x 96 area.
inline constexpr FacePixel facePixels[] = {
    {30, 60, "head", isYellow},
    {62, 35, "eyes", isBlack},
    {47, 55, "nose", isBlack},
    {77, 50, "mouth", isMouthRed},
    {20, 50, "no mouth on the left side", isYellow},
    {1, 1, "the picture's white corner outside the head", isWhite},
};

} // namespace pomvexa::testing
