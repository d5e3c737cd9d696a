#include "win32/win32application.h"

#include "win32/aboutwindow.h"
#include "win32/gamewindow.h"
#include "win32/win32runtime.h"
#include "win32/windowsregistry.h"

namespace pomvexa {

int win32::runMessageLoop(const GameWindow& game, const AboutBox& about) {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (game.translateAccelerator(message) || about.translateDialogKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

int runWin32Application() {
    win32::Win32Runtime runtime;
    WindowsRegistry registry;
    try {
        win32::AboutBox about(runtime, registry);
        win32::GameWindow game(runtime, about);
        game.showModeless();
        return win32::runMessageLoop(game, about);
    } catch (...) {
        reportError(runtime, std::current_exception());
        return 1;
    }
}

} // namespace pomvexa
