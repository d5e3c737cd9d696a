#include "drawingexpectations.h"
#include "memoryregistry.h"
#include "recordingruntime.h"
#include "win32/aboutwindow.h"
#include "win32/gamewindow.h"
#include "win32/win32application.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <map>
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
    SIZE client;   // the game window's client area
    RECT picture;  // Picture1 with its border, at its place at start-up
    int border;    // Picture1's border, of which the outer ring
    int outerRing; // is this wide
    int line;      // a line of the frame
    RECT aboutBox; // the About box's client area on the screen
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

// What a screen reader is told of a window and of each window in it: the name of its standard
// accessible object, as oleacc gives it to a screen reader that asks for the window's client
// area; the windows in it reached through that object's accessible children.
std::map<HWND, std::string> accessibleNames(HWND window) {
    std::map<HWND, std::string> names;
    IAccessible* client = nullptr;
    // __uuidof, not IID_IAccessible: mingw-w64's oleacc import library also has a symbol of
    // that name, a stub of oleacc's export, which the linker may take instead of the GUID.
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&client))))
        return names;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (client->get_accName(self, &name) == S_OK)
        names[window] = win32::toUtf8(name);
    SysFreeString(name);
    LONG count = 0;
    client->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(std::max(count, 0L)));
    LONG found = 0;
    if (count > 0 && SUCCEEDED(AccessibleChildren(client, 0, count, children.data(), &found))) {
        for (LONG index = 0; index < found; ++index) {
            VARIANT& child = children[static_cast<size_t>(index)];
            IAccessible* object = nullptr;
            HWND childWindow = nullptr;
            if (child.vt == VT_DISPATCH &&
                SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                         reinterpret_cast<void**>(&object)))) {
                if (WindowFromAccessibleObject(object, &childWindow) == S_OK &&
                    childWindow != window)
                    names.merge(accessibleNames(childWindow));
                object->Release();
            }
            VariantClear(&child);
        }
    }
    client->Release();
    return names;
}

// What the program looked like while one of its message boxes was up.
struct BoxSeen {
    HWND owner;
    bool gameEnabled;
    bool aboutEnabled;
    int jumpsWhenShown;
    int jumpsWhenDismissed;
};

// Watches for the program's message boxes, found by their title as a user finds them, notes
// what the program looks like while each is up and dismisses each with OK after 100 ms. It
// runs on a timer of the thread, in the boxes' own message loops.
class BoxWatcher {
public:
    BoxWatcher(HWND game, HWND about, const Form1& form)
        : game(game)
        , about(about)
        , form(form)
        , timer(SetTimer(nullptr, 0, 10, look)) {
        watching = this;
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    ~BoxWatcher() {
        KillTimer(nullptr, timer);
        watching = nullptr;
    }

    std::vector<BoxSeen> seen;

private:
    static BOOL CALLBACK findBox(HWND window, LPARAM found) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        wchar_t title[16] = {};
        GetWindowTextW(window, title, 16);
        if (IsWindowVisible(window) && std::wstring(className) == L"#32770" &&
            std::wstring(title) == L"Pomvexa")
            *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
    }
    static void CALLBACK look(HWND, UINT, UINT_PTR, DWORD) {
        BoxWatcher& self = *watching;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr || box == self.dismissed)
            return;
        if (box != self.current) {
            self.current = box;
            self.shownAt = std::chrono::steady_clock::now();
            self.seen.push_back({GetWindow(box, GW_OWNER), IsWindowEnabled(self.game) != FALSE,
                                 IsWindowEnabled(self.about) != FALSE, self.form.currentJumpCount(),
                                 0});
        } else if (std::chrono::steady_clock::now() - self.shownAt > 100ms) {
            self.seen.back().jumpsWhenDismissed = self.form.currentJumpCount();
            self.dismissed = box;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }

    static inline BoxWatcher* watching = nullptr;
    HWND game;
    HWND about;
    const Form1& form;
    UINT_PTR timer;
    HWND current = nullptr;
    HWND dismissed = nullptr;
    std::chrono::steady_clock::time_point shownAt;
};

// Presses the key, with the modifier (if any) held around it, as the keyboard does.
void press(WORD key, WORD modifier = 0) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier != 0)
        add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier != 0)
        add(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The real game window and About box on the Windows API, without a display, driven by the
// messages that Windows would send them.
class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() {
        MSG quit; // left by an earlier test's last window, it would end a message loop at once
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // Runs the program's own message loop until the condition holds or 5 s have passed; says
    // which.
    bool runProgramUntil(std::function<bool()> condition) {
        static std::function<bool()> pending;
        static std::chrono::steady_clock::time_point deadline;
        static bool met;
        pending = std::move(condition);
        deadline = std::chrono::steady_clock::now() + 5s;
        met = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 5, [](HWND, UINT, UINT_PTR, DWORD) {
            met = pending();
            if (met || std::chrono::steady_clock::now() > deadline)
                PostQuitMessage(0);
        });
        win32::runMessageLoop(window, about);
        KillTimer(nullptr, timer);
        return met;
    }
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
    RECT before;
    GetWindowRect(window.handle(), &before);
    ShowWindow(window.handle(), SW_SHOWMAXIMIZED); // as a shortcut set to "Maximized" asks
    RECT after;
    GetWindowRect(window.handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "maximised, it keeps its place and size";
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

    const Printed frame(window.playfield().handle());
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
    const COLORREF background =
        window.playfield().surface().pixel(frameBackgroundX, frameBackgroundY);
    for (const FramePixel& at : framePixels) {
        const COLORREF pixel = window.playfield().surface().pixel(at.x, at.y);
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

// The playfield, the face on it and the About box's icon, each reached from its top-level
// window and named; the windows keep their titles.
TEST_F(WindowsTest, ScreenReadersAreToldThePlayfieldTheFaceAndTheIcon) {
    std::map<HWND, std::string> names = accessibleNames(window.handle());
    EXPECT_EQ(names[window.handle()], "Pomvexa-  tarnik");
    EXPECT_EQ(names[window.playfield().handle()], "游戏区");
    EXPECT_EQ(names[window.picture().handle()], "笑脸");

    command(GameWindow::aboutCommand);
    names = accessibleNames(aboutHandle());
    EXPECT_EQ(names[aboutHandle()], "关于 Pomvexa");
    EXPECT_EQ(names[FindWindowExW(aboutHandle(), nullptr, L"PomvexaPicture", nullptr)], "Pomvexa");
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

// The keys as a Windows user presses them, through the program's own message loop.
TEST_F(WindowsTest, KeyboardInTheAboutBoxAndTheGameWindow) {
    window.showModeless();
    command(GameWindow::aboutCommand);
    const HWND box = aboutHandle();
    const HWND ok = GetDlgItem(box, IDOK);
    const HWND sysInfo = GetDlgItem(box, win32::AboutWindow::sysInfoCommand);
    const HWND icon = FindWindowExW(box, nullptr, L"PomvexaPicture", nullptr);
    EXPECT_FALSE(SendMessageW(sysInfo, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL)
        << "the S of System Info is underlined";

    EXPECT_EQ(GetFocus(), ok);
    const struct {
        WORD key;
        WORD modifier;
        HWND focus;
    } tabs[] = {
        {VK_TAB, 0, icon}, {VK_TAB, 0, sysInfo}, {VK_TAB, 0, ok}, {VK_TAB, VK_SHIFT, sysInfo}};
    for (const auto& tab : tabs) {
        press(tab.key, tab.modifier);
        ASSERT_TRUE(runProgramUntil([&] { return GetFocus() == tab.focus; }))
            << "Tab moves the focus to " << tab.focus << ", not " << GetFocus();
    }

    press(VK_RETURN); // on System Info
    EXPECT_TRUE(runProgramUntil([&] { return runtime.messages.size() == 1; }));
    press('S', VK_MENU);
    EXPECT_TRUE(runProgramUntil([&] { return runtime.messages.size() == 2; }));
    EXPECT_EQ(aboutHandle(), box) << "System Info leaves the box open";
    press(VK_ESCAPE);
    EXPECT_TRUE(runProgramUntil([&] { return aboutHandle() == nullptr; })) << "Esc closes it";

    EXPECT_EQ(window.timer().interval(), 0);
    press('N', VK_CONTROL); // in the game window, active again
    EXPECT_TRUE(runProgramUntil([&] { return window.timer().interval() == 500; }))
        << "Ctrl+N starts a round";
    window.timer().setInterval(0);
}

// The System Info message and the score box, each while the About box is active: each is owned
// by the game window, so that it stands in front of it, and while it is up neither window
// takes a click, a key or a tick; after it, both do again.
TEST_F(WindowsTest, MessageBoxesHoldTheWholeProgram) {
    runtime.showBoxes = true;
    window.showModeless();
    command(GameWindow::startCommand);
    window.timer().setInterval(5); // a quick round
    command(GameWindow::aboutCommand);
    const HWND box = aboutHandle();
    BoxWatcher watcher(window.handle(), box, window.game());
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(win32::AboutWindow::sysInfoCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, win32::AboutWindow::sysInfoCommand)));
    EXPECT_EQ(GetActiveWindow(), box) << "the About box is active again after the message";
    ASSERT_TRUE(runMessagesUntil([&] { return runtime.messages.size() == 2; }, 10s));
    ASSERT_TRUE(runMessagesUntil([&] { return IsWindowEnabled(window.handle()); }, 5s));

    EXPECT_EQ(runtime.messages.back(), "你的成绩:0");
    ASSERT_EQ(watcher.seen.size(), 2U);
    for (const BoxSeen& seen : watcher.seen) {
        EXPECT_EQ(seen.owner, window.handle());
        EXPECT_FALSE(seen.gameEnabled);
        EXPECT_FALSE(seen.aboutEnabled);
        EXPECT_EQ(seen.jumpsWhenShown, seen.jumpsWhenDismissed) << "no tick while it is up";
    }
    EXPECT_TRUE(IsWindowEnabled(window.handle()));
    EXPECT_TRUE(IsWindowEnabled(box));
}

// A window that cannot be made raises the run-time error that every handler reports, and
// nothing is counted as loaded for it: the program still ends with its last real window.
TEST_F(WindowsTest, AboutBoxThatCannotBeMadeIsARunTimeError) {
    static int creationsLeft;
    for (const int failing : {1, 3}) { // the dialog itself, one of its buttons
        creationsLeft = failing;
        const HHOOK refuse = SetWindowsHookExW(
            WH_CBT,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (code == HCBT_CREATEWND && --creationsLeft == 0)
                    return 1;
                return CallNextHookEx(nullptr, code, wParam, lParam);
            },
            nullptr, GetCurrentThreadId());
        command(GameWindow::aboutCommand);
        UnhookWindowsHookEx(refuse);
        EXPECT_EQ(aboutHandle(), nullptr);
    }
    EXPECT_EQ(runtime.messages, std::vector<std::string>(2, "运行时错误 '7':\n\nOut of memory"));
    command(GameWindow::exitCommand);
    EXPECT_FALSE(runtime.anyWindowLoaded());
}

} // namespace
} // namespace pomvexa::testing
