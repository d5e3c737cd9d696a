#pragma once

#include "runtime/eventdelivery.h"
#include "runtime/randomsequence.h"
#include "runtime/runtime.h"

#include <windows.h>

#include <string>
#include <vector>

namespace pomvexa::win32 {

// The runtime's services on the Windows API, and the register of loaded windows: when the last
// one is unloaded the message loop is told to end. Events reach the program's handlers through
// deliver() with it.
class Win32Runtime : public Runtime {
public:
    float nextRandom() override { return random.next(); }
    void seedRandom() override { random.seedFromClock(); }
    // The user's default sound.
    void soundBeep() override { MessageBeep(MB_OK); }
    // A message box with OK only, titled with the program's title, that holds the whole
    // program until it is dismissed.
    void showMessage(const std::string& text, MessageStyle style) override;
    ApplicationIdentity application() const override;
    std::string findFile(const std::string& path) override;
    void launchProgram(const std::string& path, WindowStyle style) override;

    void windowLoaded(HWND window);
    void windowUnloaded(HWND window);
    bool anyWindowLoaded() const { return !loaded.empty(); }

protected:
    // Shows the box and returns when it is dismissed. Tests put their own in its place.
    virtual void presentMessage(HWND owner, const std::wstring& text, const std::wstring& title);

private:
    RandomSequence random;
    std::vector<HWND> loaded; // in the order loaded
};

} // namespace pomvexa::win32
