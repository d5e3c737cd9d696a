#include "drawingexpectations.h"
#include "memoryregistry.h"
#include "recordingruntime.h"
#include "win32/aboutwindow.h"
#include "win32/gamewindow.h"

#include <gtest/gtest.h>

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
