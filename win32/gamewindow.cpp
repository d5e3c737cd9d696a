#include "win32/gamewindow.h"

namespace pomvexa::win32 {
namespace {

// A fixed single border with a title bar, system menu and close box, and no minimise or
// maximise box.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_WINDOWEDGE;

constexpr RECT pictureBounds{24, 16, 24 + 100, 16 + 100};

// The picture's top-left 96 x 96 pixels, which is all of it that the picture box shows. The
// caller deletes it.
HBITMAP facePicture() {
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), L"FACE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The menus' captions carry no access-key marker: "(G)" is plain text.
void appendItem(HMENU menu, UINT command, const wchar_t* caption) {
    AppendMenuW(menu, MF_STRING, command, caption);
}

} // namespace

GameWindow::GameWindow(Win32Runtime& runtime, Window& aboutBox)
    : runtime(runtime) {
    createMenus();
    // Made at the default place, then sized for the DPI of the monitor it is on.
    const RECT placed{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + clientSize.cx,
                      CW_USEDEFAULT + clientSize.cy};
    window = createWindow(*this, registerWindowClass(L"PomvexaGame"), windowStyle, windowExStyle,
                          placed, nullptr, menuBar);
    try {
        dpi = GetDpiForWindow(window);
        RECT bounds{0, 0, scaled(clientSize.cx, dpi), scaled(clientSize.cy, dpi)};
        AdjustWindowRectExForDpi(&bounds, windowStyle, TRUE, windowExStyle, dpi);
        SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        fitClientArea();
        setWindowIcons(window, dpi);
        setCaption("Pomvexa-  tarnik");

        // A tick that falls due while a message box holds the program (and so has disabled
        // this window) is dropped, as one that falls due while a handler runs is.
        Timer1 = std::make_unique<TickingTimer>([this] {
            if (IsWindowEnabled(window))
                deliver(this->runtime, *form, &Form1::Timer1_Timer);
        });
        formCanvas = std::make_unique<CanvasView>(
            window, L"游戏区", clientSize, DrawingSurface::plain(GetSysColor(COLOR_BTNFACE)), dpi);
        Picture1 = std::make_unique<PictureBox>(
            formCanvas->handle(), L"笑脸", pictureBounds,
            DrawingSurface::picture(GetSysColor(COLOR_BTNFACE), facePicture()), dpi);
        Picture1->onClick([this] { deliver(this->runtime, *form, &Form1::Picture1_Click); });
    } catch (...) {
        DestroyWindow(window);
        throw;
    }

    form = std::make_unique<Form1>(runtime, Form1Controls{
                                                .form = *this,
                                                .formCanvas = formCanvas->surface(),
                                                .Picture1 = *Picture1,
                                                .Picture1Canvas = Picture1->surface(),
                                                .Timer1 = *Timer1,
                                                .mnueasy = *easyItem,
                                                .mnumoderate = *moderateItem,
                                                .mnuhard = *hardItem,
                                                .mnuimpossible = *impossibleItem,
                                                .frmAbout = aboutBox,
                                            });
    runtime.windowLoaded(window);
    deliver(runtime, *form, &Form1::Form_Load);
}

GameWindow::~GameWindow() {
    unload();
    if (accelerators != nullptr)
        DestroyAcceleratorTable(accelerators);
}

void GameWindow::createMenus() {
    const HMENU game = CreatePopupMenu();
    appendItem(game, startCommand, L"开始(S)\tCtrl+N");
    AppendMenuW(game, MF_SEPARATOR, 0, nullptr);
    appendItem(game, exitCommand, L"退出(E)");

    const HMENU level = CreatePopupMenu();
    appendItem(level, easyCommand, L"简单");
    appendItem(level, moderateCommand, L"中等");
    appendItem(level, hardCommand, L"困难");
    appendItem(level, impossibleCommand, L"艰难");

    const HMENU help = CreatePopupMenu();
    appendItem(help, helpCommand, L"帮助");
    appendItem(help, aboutCommand, L"关于");

    menuBar = CreateMenu();
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(game), L"游戏(G)");
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(level), L"难度");
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"帮助");

    easyItem.emplace(level, easyCommand);
    moderateItem.emplace(level, moderateCommand);
    hardItem.emplace(level, hardCommand);
    impossibleItem.emplace(level, impossibleCommand);

    ACCEL start{FCONTROL | FVIRTKEY, 'N', startCommand};
    accelerators = CreateAcceleratorTableW(&start, 1);
}

// The window was sized for a one-line menu bar; should the bar need more room, the window
// grows by what the client area lacks.
void GameWindow::fitClientArea() {
    RECT client;
    RECT outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    const int missingWidth = scaled(clientSize.cx, dpi) - client.right;
    const int missingHeight = scaled(clientSize.cy, dpi) - client.bottom;
    if (missingWidth != 0 || missingHeight != 0)
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + missingWidth,
                     outer.bottom - outer.top + missingHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows suggests the place and size at the new DPI; the client area is then made exact.
void GameWindow::changeDpi(UINT newDpi, const RECT& suggested) {
    dpi = newDpi;
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
    setWindowIcons(window, dpi);
    if (formCanvas != nullptr)
        formCanvas->setDpi(dpi);
    if (Picture1 != nullptr)
        Picture1->setDpi(dpi);
}

bool GameWindow::translateAccelerator(MSG& message) const {
    // Whichever of its own windows the key is for, while the game window is active.
    if (window == nullptr || message.hwnd == nullptr ||
        GetAncestor(message.hwnd, GA_ROOT) != window)
        return false;
    return TranslateAcceleratorW(window, accelerators, &message) != 0;
}

void GameWindow::command(UINT identifier) {
    static constexpr struct {
        Command command;
        void (Form1::*handler)();
    } handlers[] = {
        {startCommand, &Form1::mnustartgame_Click},
        {exitCommand, &Form1::mnuexit_Click},
        {easyCommand, &Form1::mnueasy_Click},
        {moderateCommand, &Form1::mnumoderate_Click},
        {hardCommand, &Form1::mnuhard_Click},
        {impossibleCommand, &Form1::mnuimpossible_Click},
        {helpCommand, &Form1::help_Click},
        {aboutCommand, &Form1::about_Click},
    };
    for (const auto& entry : handlers)
        if (entry.command == identifier)
            deliver(runtime, *form, entry.handler);
}

LRESULT GameWindow::handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DPICHANGED:
        changeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        // Maximised, as a shortcut set to start it so asks, it keeps its place and size.
        RECT outer;
        GetWindowRect(handle, &outer);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMaxPosition = {outer.left, outer.top};
        limits->ptMaxSize = {outer.right - outer.left, outer.bottom - outer.top};
        return 0;
    }
    case WM_ERASEBKGND: // the playfield covers the whole client area
        return 1;
    case WM_COMMAND:
        // From the menu (0) or the accelerator (1); the window has no command controls.
        if (HIWORD(wParam) <= 1 && form != nullptr)
            command(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        unload();
        return 0;
    case WM_DESTROY:
        // No tick may reach a window that is going away.
        if (Timer1 != nullptr)
            Timer1->setInterval(0);
        runtime.windowUnloaded(handle);
        return 0;
    case WM_NCDESTROY:
        window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

} // namespace pomvexa::win32
