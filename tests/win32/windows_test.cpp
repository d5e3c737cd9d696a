#include "drawingexpectations.h"
#include "memoryregistry.h"
#include "recordingruntime.h"
#include "win32/aboutwindow.h"
#include "win32/gamewindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace pomvexa::testing {
namespace {

using namespace std::chrono_literals;
using win32::GameWindow;

Rgb rgb(COLORREF pixel) {
    return {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
}

std::string windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return win32::toUtf8(text);
}

// What a window paints of its client area (without its child windows), as it paints it on the
// screen.
class Printed {
public:
    explicit Printed(HWND window) {
        GetClientRect(window, &area);
        const HDC screen = GetDC(nullptr);
        context = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(context, bitmap);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(context), PRF_CLIENT);
    }
    Printed(const Printed&) = delete;
    Printed& operator=(const Printed&) = delete;
    ~Printed() {
        SelectObject(context, previous);
        DeleteObject(bitmap);
        DeleteDC(context);
    }
    COLORREF pixel(int x, int y) const { return GetPixel(context, x, y); }
    // The lengths of the black runs met on the way from the point given, step by step.
    std::vector<int> blackRuns(POINT at, POINT step) const {
        std::vector<int> runs;
        bool inRun = false;
        for (; at.x < area.right && at.y < area.bottom; at.x += step.x, at.y += step.y) {
            const bool black = isBlack(rgb(pixel(at.x, at.y)));
            if (black && !inRun)
                runs.push_back(0);
            if (black)
                ++runs.back();
            inRun = black;
        }
        return runs;
    }

private:
    RECT area{};
    HDC context;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

// What the windows measure at a DPI, in device pixels, as a Windows display at that scale
// shows them.
struct ScaledLayout {
    UINT dpi;
    SIZE client;     // the game window's client area
    RECT picture;    // Picture1 with its border, at its place at start-up
    int border;      // Picture1's border, of which the outer ring
    int outerRing;   // is this wide
    int line;        // a line of the frame
    RECT aboutBox;   // the About box's client area on the screen
};

constexpr ScaledLayout layouts[] = {
    {96, {527, 391}, {24, 16, 124, 116}, 2, 1, 1, {156, 129, 156 + 382, 129 + 237}},
    {144, {791, 587}, {36, 24, 186, 174}, 3, 2, 2, {234, 194, 234 + 573, 194 + 356}},
    {192, {1054, 782}, {48, 32, 248, 232}, 4, 2, 2, {312, 258, 312 + 764, 258 + 474}},
};

const ScaledLayout& layoutAt(UINT dpi) {
    for (const ScaledLayout& layout : layouts)
        if (layout.dpi == dpi)
            return layout;
    throw std::invalid_argument("no layout for DPI " + std::to_string(dpi));
}

// The DPI of the display the tests run on: 96, unless the run says otherwise.
UINT displayDpi() {
    const char* given = std::getenv("POMVEXA_TEST_DPI");
    return given != nullptr ? static_cast<UINT>(std::atoi(given)) : 96;
}

RECT placeInParent(HWND child) {
    RECT bounds;
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

// The real game window and About box on the Windows API, without a display, driven by the
// messages that Windows would send them.
class WindowsTest : public ::testing::Test {
protected:
    void command(UINT identifier) {
        SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(identifier, 0), 0);
    }
    // A press and a release of the left button at points inside the picture box.
    void click(POINT press, POINT release = {50, 50}) {
        const HWND picture = window.picture().handle();
        SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
    }
    HWND aboutHandle() {
        win32::AboutWindow* open = about.window();
        return open != nullptr ? open->handle() : nullptr;
    }

    RecordingRuntime runtime;
    MemoryRegistry registry;
    win32::AboutBox about{runtime, registry};
    GameWindow window{runtime, about};
};

TEST_F(WindowsTest, GameWindowHasItsFixedSizeTitleAndControls) {
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, 527);
    EXPECT_EQ(client.bottom, 391);
    const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(windowText(window.handle()), "Pomvexa-  tarnik");
    EXPECT_NE(GetClassLongPtrW(window.handle(), GCLP_HICON), 0U);

    RECT picture;
    GetWindowRect(window.picture().handle(), &picture);
    MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&picture), 2);
    EXPECT_EQ(picture.left, 24);
    EXPECT_EQ(picture.top, 16);
    EXPECT_EQ(picture.right - picture.left, 100);
    EXPECT_EQ(picture.bottom - picture.top, 100);
}

// The game window at the DPI given: its client area, the picture's place and size, and on what
// reaches the screen, the frame's eight edges all one line wide and the picture's sunken border
// unbroken around the picture.
void expectLayout(GameWindow& window, const ScaledLayout& expected) {
    SCOPED_TRACE("at " + std::to_string(expected.dpi) + " DPI");
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, expected.client.cx);
    EXPECT_EQ(client.bottom, expected.client.cy);
    const RECT picturePlace = placeInParent(window.picture().handle());
    EXPECT_TRUE(EqualRect(&expected.picture, &picturePlace)) << "the picture's place and size";

    const Printed frame(window.handle());
    const int line = expected.line;
    EXPECT_EQ(frame.blackRuns({0, client.bottom / 2}, {1, 0}), std::vector<int>(4, line))
        << "left and right edges";
    EXPECT_EQ(frame.blackRuns({client.right / 2, 0}, {0, 1}), std::vector<int>(4, line))
        << "top and bottom edges";

    const Printed picture(window.picture().handle());
    const int size = expected.picture.right - expected.picture.left;
    const int border = expected.border;
    for (int ring = 0; ring < border; ++ring) {
        const bool outer = ring < expected.outerRing;
        const COLORREF topLeft = GetSysColor(outer ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW);
        const COLORREF bottomRight = GetSysColor(outer ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT);
        for (int along = border; along < size - border; ++along) {
            ASSERT_EQ(picture.pixel(along, ring), topLeft) << "top, ring " << ring;
            ASSERT_EQ(picture.pixel(ring, along), topLeft) << "left, ring " << ring;
            ASSERT_EQ(picture.pixel(along, size - 1 - ring), bottomRight) << "bottom " << ring;
            ASSERT_EQ(picture.pixel(size - 1 - ring, along), bottomRight) << "right " << ring;
        }
    }
    const win32::DrawingSurface& face = window.picture().surface();
    EXPECT_EQ(picture.pixel(border, border), face.pixel(0, 0)) << "the picture's corner";
    EXPECT_EQ(picture.pixel(size - border - 1, size / 2),
              face.pixel(size - 2 * border - 1, size / 2 - border));
}

TEST_F(WindowsTest, GameWindowAndAboutBoxAreScaledToTheDisplaysDpi) {
    const ScaledLayout& expected = layoutAt(displayDpi());
    ASSERT_EQ(GetDpiForWindow(window.handle()), expected.dpi) << "drawn at the display's DPI";
    expectLayout(window, expected);

    command(GameWindow::aboutCommand);
    RECT client;
    GetClientRect(aboutHandle(), &client);
    MapWindowPoints(aboutHandle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(EqualRect(&client, &expected.aboutBox)) << "the About box's place and size";
}

// Dragged to a monitor of another scale, the window takes the place Windows suggests and draws
// itself again at that monitor's DPI.
TEST_F(WindowsTest, GameWindowMovedToAnotherDpiIsDrawnAtIt) {
    command(GameWindow::startCommand);
    RECT suggested;
    GetWindowRect(window.handle(), &suggested);
    suggested.right += 260;
    suggested.bottom += 200;
    SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    expectLayout(window, layoutAt(144));
}

TEST_F(WindowsTest, FrameAndFaceAreDrawnAtStartUp) {
    const COLORREF background = window.canvas().pixel(frameBackgroundX, frameBackgroundY);
    for (const FramePixel& at : framePixels) {
        const COLORREF pixel = window.canvas().pixel(at.x, at.y);
        EXPECT_EQ(isBlack(rgb(pixel)), at.black) << ::testing::PrintToString(at);
        if (!at.black) {
            EXPECT_EQ(pixel, background) << ::testing::PrintToString(at);
        }
    }
    for (const FacePixel& at : facePixels)
        EXPECT_TRUE(at.looksRight(rgb(window.picture().surface().pixel(at.x, at.y)))) << at.part;
}

TEST_F(WindowsTest, MenusHaveTheirCaptionsShortcutAndCheckMark) {
    const HMENU bar = GetMenu(window.handle());
    std::string tree;
    for (int menu = 0; menu < GetMenuItemCount(bar); ++menu) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, menu, text, 64, MF_BYPOSITION);
        tree += win32::toUtf8(text) + "\n";
        const HMENU items = GetSubMenu(bar, menu);
        for (int item = 0; item < GetMenuItemCount(items); ++item) {
            const UINT state = GetMenuState(items, item, MF_BYPOSITION);
            GetMenuStringW(items, item, text, 64, MF_BYPOSITION);
            tree += (state & MF_SEPARATOR) ? "-" : "  " + win32::toUtf8(text);
            tree += (state & MF_CHECKED) ? " *\n" : "\n";
        }
    }
    EXPECT_EQ(tree, "游戏(G)\n  开始(S)\tCtrl+N\n-\n  退出(E)\n"
                    "难度\n  简单\n  中等 *\n  困难\n  艰难\n"
                    "帮助\n  帮助\n  关于\n");

    command(GameWindow::easyCommand);
    EXPECT_TRUE(GetMenuState(bar, GameWindow::easyCommand, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(bar, GameWindow::moderateCommand, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(WindowsTest, ClickOnThePictureScoresOnlyWhileARoundRuns) {
    click({50, 50});
    EXPECT_EQ(window.game().currentScore(), 0);

    command(GameWindow::startCommand);
    EXPECT_EQ(window.timer().interval(), 500);
    click({50, 50});
    click({0, 0}, {99, 99});
    EXPECT_EQ(window.game().currentScore(), 2);
    click({50, 50}, {150, 50});
    EXPECT_EQ(window.game().currentScore(), 2) << "released outside the picture";
}

TEST_F(WindowsTest, ExitDuringARoundStopsTheTimerAndEndsTheProgram) {
    command(GameWindow::startCommand);
    command(GameWindow::exitCommand);
    EXPECT_FALSE(IsWindow(window.handle()));
    EXPECT_EQ(window.timer().interval(), 0);
    EXPECT_FALSE(runtime.anyWindowLoaded());
    EXPECT_TRUE(runtime.messages.empty()) << "no score shown";
}

TEST_F(WindowsTest, AboutAndHelpShowOneBoxAtItsPlaceWithoutTaskbarButton) {
    command(GameWindow::aboutCommand);
    const HWND box = aboutHandle();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindowVisible(box));
    RECT client;
    GetClientRect(box, &client);
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    EXPECT_EQ(origin.x, 156);
    EXPECT_EQ(origin.y, 129);
    EXPECT_EQ(client.right, 382);
    EXPECT_EQ(client.bottom, 237);
    EXPECT_EQ(windowText(box), "关于 Pomvexa");
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_NE(owner, nullptr) << "an owned window has no taskbar button";
    EXPECT_NE(owner, window.handle()) << "and does not go with the game window";
    EXPECT_FALSE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    command(GameWindow::helpCommand);
    EXPECT_EQ(aboutHandle(), box);
}

TEST_F(WindowsTest, SystemInformationUnavailableIsOneMessageAndTheBoxStays) {
    command(GameWindow::aboutCommand);
    const HWND box = aboutHandle();
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(win32::AboutWindow::sysInfoCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, win32::AboutWindow::sysInfoCommand)));
    EXPECT_EQ(runtime.messages, std::vector<std::string>{"此时系统信息不可用"});
    EXPECT_EQ(aboutHandle(), box);
}

TEST_F(WindowsTest, ExitWithTheBoxOpenKeepsTheProgramUntilTheBoxCloses) {
    command(GameWindow::aboutCommand);
    command(GameWindow::exitCommand);
    EXPECT_TRUE(runtime.anyWindowLoaded());
    SendMessageW(aboutHandle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); // Esc
    EXPECT_EQ(aboutHandle(), nullptr);
    EXPECT_FALSE(runtime.anyWindowLoaded());
}

TEST_F(WindowsTest, BoxUnloadedByOkOrCloseBoxLoadsAfresh) {
    command(GameWindow::aboutCommand);
    const HWND first = aboutHandle();
    SetWindowTextW(first, L"changed");
    SendMessageW(first, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(first));

    command(GameWindow::aboutCommand);
    EXPECT_EQ(windowText(aboutHandle()), "关于 Pomvexa") << "its texts are built again";
    // The dialog manager answers the close box with a posted Esc.
    SendMessageW(aboutHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(runMessagesUntil([this] { return aboutHandle() == nullptr; }, 5s));
}

} // namespace
} // namespace pomvexa::testing
