// Start-up: the game on the platform's own toolkit, the Windows API on Windows and Qt elsewhere.
#ifdef _WIN32
#include "win32/win32application.h"
#else
#include "qt/qtapplication.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    return pomvexa::runWin32Application();
#else
    return pomvexa::runQtApplication(argc, argv);
#endif
}
