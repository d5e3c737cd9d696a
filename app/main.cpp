// Start-up: the game on the platform's own toolkit, the Windows API on Windows, the page in a
// browser and Qt elsewhere.
#ifdef _WIN32
#include "win32/win32application.h"
#elif defined(__EMSCRIPTEN__)
#include "web/webapplication.h"
#else
#include "qt/qtapplication.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    return pomvexa::runWin32Application();
#elif defined(__EMSCRIPTEN__)
    (void)argc;
    (void)argv;
    // The page keeps the program running after this returns.
    pomvexa::runWebApplication();
    return 0;
#else
    return pomvexa::runQtApplication(argc, argv);
#endif
}
