#include "win32/windowclass.h"

#include "runtime/runtimeerror.h"

#include <cstdio>

namespace pomvexa::win32 {
namespace {

LRESULT CALLBACK routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* target = reinterpret_cast<MessageTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (target == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return target->handleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Handlers report their own errors; this is the last guard before Windows.
        std::fputs("Pomvexa: a window message could not be handled\n", stderr);
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

const wchar_t* registerWindowClass(const wchar_t* name, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing))
        return name;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = routeMessage;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = faceIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = faceIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
    return name;
}

HWND madeWindow(HWND window) {
    constexpr int outOfMemory = 7;
    if (window == nullptr)
        throw RuntimeError(outOfMemory, "Out of memory");
    return window;
}

HWND createWindow(MessageTarget& target, const wchar_t* className, DWORD style, DWORD exStyle,
                  const RECT& bounds, HWND parent, HMENU menu, const wchar_t* text) {
    return madeWindow(CreateWindowExW(exStyle, className, text, style, bounds.left, bounds.top,
                                      bounds.right - bounds.left, bounds.bottom - bounds.top,
                                      parent, menu, GetModuleHandleW(nullptr), &target));
}

HICON faceIcon(int size) {
    // Shared icons are owned by the system and never destroyed by the program.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         size, size, LR_SHARED));
}

HFONT createDialogFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.lfMessageFont,
                   &metrics.lfMessageFont);
        metrics.lfMessageFont.lfHeight = scaled(metrics.lfMessageFont.lfHeight, dpi);
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

void setWindowIcons(HWND window, UINT dpi) {
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(faceIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi))));
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(faceIcon(GetSystemMetricsForDpi(SM_CXICON, dpi))));
}

} // namespace pomvexa::win32
