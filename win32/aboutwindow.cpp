#include "win32/aboutwindow.h"

#include "win32/windowclass.h"
#include "win32/windowstext.h"

namespace pomvexa::win32 {
namespace {

// A fixed dialog frame with a title bar and close box, without minimise or maximise box.
constexpr DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD dialogExStyle = WS_EX_DLGMODALFRAME;

// An empty dialog template: the controls are made in pixels once the dialog exists.
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

constexpr COLORREF labelBlack = RGB(0, 0, 0);

} // namespace

void StaticLabel::setCaption(const std::string& text) {
    SetWindowTextW(control, win32::toWide(CP_UTF8, text).c_str());
}

AboutWindow::AboutWindow(Win32Runtime& runtime, Registry& registry, HWND owner)
    : runtime(runtime)
    , registry(registry) {
    EmptyTemplate empty{};
    empty.header.style = dialogStyle;
    empty.header.dwExtendedStyle = dialogExStyle;
    window =
        madeWindow(CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.header, owner,
                                              dialogProcedure, reinterpret_cast<LPARAM>(this)));
    try {
        dpi = GetDpiForWindow(window);
        const RECT client = scaled(clientBounds, dpi);
        RECT bounds = client;
        AdjustWindowRectExForDpi(&bounds, dialogStyle, FALSE, dialogExStyle, dpi);
        // The client area's corner stands where it must, whatever the frame's width.
        SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
        setCaption("Pomvexa");
        createControls();
        applyDpi();
        // The access keys stay underlined: Windows would hide them until Alt is pressed.
        SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    } catch (...) {
        DestroyWindow(window);
        throw;
    }

    titleLabel = std::make_unique<StaticLabel>(lblTitle);
    versionLabel = std::make_unique<StaticLabel>(lblVersion);
    form = std::make_unique<frmAbout>(runtime, registry,
                                      frmAboutControls{*this, *titleLabel, *versionLabel});
    runtime.windowLoaded(window);
    deliver(runtime, *form, &frmAbout::Form_Load);
}

AboutWindow::~AboutWindow() {
    unload();
    if (font != nullptr)
        DeleteObject(font);
}

// Later controls lie above earlier ones where they overlap, as they are created. The tab
// order is OK, the icon, System Info.
void AboutWindow::createControls() {
    picIcon = std::make_unique<PictureBox>(
        window, L"Pomvexa", RECT{16, 16, 16 + 36, 16 + 36},
        [](HDC context, SIZE pixels, UINT dpi) {
            DrawingSurface::plain(GetSysColor(COLOR_BTNFACE))(context, pixels, dpi);
            const int size = scaled(32, dpi);
            DrawIconEx(context, 0, 0, faceIcon(size), size, size, 0, nullptr, DI_NORMAL);
        },
        dpi, WS_TABSTOP);

    cmdOK = createControl(L"BUTTON", L"确定", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    cmdSysInfo =
        createControl(L"BUTTON", L"系统信息(&S)...", WS_TABSTOP | BS_PUSHBUTTON, sysInfoCommand);
    lblDescription = createControl(L"STATIC", L"用鼠标点击图，点到得1分，默认为难度为中等",
                                   SS_LEFT | SS_NOPREFIX, -1);
    lblTitle = createControl(L"STATIC", L"Pomvexa", SS_LEFT | SS_NOPREFIX, -1);
    lblVersion = createControl(L"STATIC", L"V1.0", SS_LEFT | SS_NOPREFIX, -1);
    lblDisclaimer = createControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, -1);

    // The tab order follows the order of the children: OK goes first.
    SetWindowPos(cmdOK, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetFocus(cmdOK);
}

HWND AboutWindow::createControl(const wchar_t* className, const wchar_t* text, DWORD style,
                                int identifier) {
    return madeWindow(CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                      window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                                      GetModuleHandleW(nullptr), nullptr));
}

// Places the controls, in logical pixels, at the box's DPI and gives them the system's font
// at it, with the icons at the sizes the system asks for.
void AboutWindow::applyDpi() {
    setWindowIcons(window, dpi);
    const HFONT previous = font;
    font = createDialogFont(dpi);
    const struct {
        HWND control;
        RECT bounds;
    } layout[] = {
        {cmdOK, {275, 175, 275 + 100, 175 + 23}},
        {cmdSysInfo, {276, 205, 276 + 99, 205 + 23}},
        {lblDescription, {70, 75, 70 + 259, 75 + 78}},
        {lblTitle, {70, 16, 70 + 259, 16 + 32}},
        {lblVersion, {70, 52, 70 + 259, 52 + 15}},
        {lblDisclaimer, {17, 175, 17 + 242, 175 + 55}},
    };
    for (const auto& [control, bounds] : layout) {
        const RECT placed = scaled(bounds, dpi);
        SetWindowPos(control, nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    picIcon->setDpi(dpi);
    if (previous != nullptr)
        DeleteObject(previous);
    InvalidateRect(window, nullptr, TRUE);
}

// The etched rule between the description and the buttons: a grey line with a white one of
// two pixels right below it and a pixel to the right, each a whole number of device pixels.
void AboutWindow::paintRule(HDC context) const {
    const RECT grey = scaled(RECT{6, 163, 378, 164}, dpi);
    const RECT white{grey.left + (grey.bottom - grey.top), grey.bottom, grey.right,
                     grey.bottom + scaled(2, dpi)};
    const HBRUSH greyBrush = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    FillRect(context, &grey, greyBrush);
    DeleteObject(greyBrush);
    FillRect(context, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

INT_PTR CALLBACK AboutWindow::dialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<AboutWindow*>(lParam)->window = dialog;
    }
    auto* box = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (box == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
    try {
        return box->handleMessage(message, wParam, lParam);
    } catch (...) {
        return FALSE; // handlers report their own errors; nothing unwinds into Windows
    }
}

INT_PTR AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE; // the focus is set when the controls are made
    case WM_COMMAND:
        if (form == nullptr)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: // Esc and the close box
            deliver(runtime, *form, &frmAbout::cmdOK_Click);
            return TRUE;
        case sysInfoCommand:
            deliver(runtime, *form, &frmAbout::cmdSysInfo_Click);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CTLCOLORSTATIC: {
        // The labels are black, but the version, which has the system's text colour.
        const auto context = reinterpret_cast<HDC>(wParam);
        const auto control = reinterpret_cast<HWND>(lParam);
        SetTextColor(context, control == lblVersion ? GetSysColor(COLOR_BTNTEXT) : labelBlack);
        SetBkColor(context, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT:
        paintWindow(window, [this](HDC context) { paintRule(context); });
        return TRUE;
    case WM_DPICHANGED: {
        // Windows suggests the place and size at the new DPI.
        dpi = LOWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi();
        return TRUE;
    }
    case WM_DESTROY:
        runtime.windowUnloaded(window);
        return FALSE;
    case WM_NCDESTROY:
        window = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

AboutBox::AboutBox(Win32Runtime& runtime, Registry& registry)
    : runtime(runtime)
    , registry(registry)
    , owner(createWindow(*this, registerWindowClass(L"PomvexaOwner"), WS_POPUP, WS_EX_TOOLWINDOW,
                         RECT{}, nullptr)) {
}

AboutBox::~AboutBox() {
    loaded.reset();
    DestroyWindow(owner);
}

LRESULT AboutBox::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

AboutWindow* AboutBox::window() const {
    return loaded != nullptr && !loaded->isUnloaded() ? loaded.get() : nullptr;
}

// A box that was unloaded is destroyed when the next one loads, outside its own handlers.
AboutWindow& AboutBox::load() {
    if (window() == nullptr) {
        loaded.reset();
        loaded = std::make_unique<AboutWindow>(runtime, registry, owner);
    }
    return *loaded;
}

bool AboutBox::translateDialogKeys(MSG& message) const {
    const AboutWindow* open = window();
    return open != nullptr && IsDialogMessageW(open->handle(), &message);
}

void AboutBox::setCaption(const std::string& text) {
    load().setCaption(text);
}

void AboutBox::showModeless() {
    load().showModeless();
}

void AboutBox::unload() {
    if (AboutWindow* open = window())
        open->unload();
}

} // namespace pomvexa::win32
