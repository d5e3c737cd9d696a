#pragma once

#include "about/frmabout.h"
#include "runtime/registry.h"
#include "win32/picturebox.h"
#include "win32/toplevelwindow.h"
#include "win32/win32runtime.h"
#include "win32/windowclass.h"

#include <memory>

namespace pomvexa::win32 {

// A static text control whose text the program sets.
class StaticLabel : public Label {
public:
    explicit StaticLabel(HWND control)
        : control(control) {}
    void setCaption(const std::string& text) override;

private:
    HWND control;
};

// The About box: a fixed dialog at a fixed place on the screen with the face icon, the title,
// the version, a description, an etched rule, OK and System Info. Its place, its size and its
// controls are in logical pixels, shown at the DPI of its monitor. It is a modeless dialog, so
// the dialog manager gives it Tab, Enter for the default button, Esc and Alt+S; it is owned by
// the program's hidden owner window, which keeps it off the taskbar without tying it to the
// game window's life. It owns its controls and its logic; unloading it destroys its window, and
// the program ends when it was the last one.
class AboutWindow : public TopLevelWindow {
public:
    // The client area in logical pixels: 2340, 1935 twips from the screen's corner, 5730 x 3555.
    static constexpr RECT clientBounds{156, 129, 156 + 382, 129 + 237};
    static constexpr int sysInfoCommand = 1001;

    AboutWindow(Win32Runtime& runtime, Registry& registry, HWND owner);
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;
    ~AboutWindow() override;

    // Whether the box has been unloaded and only waits to be destroyed.
    bool isUnloaded() const { return window == nullptr; }

private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    HWND createControl(const wchar_t* className, const wchar_t* text, DWORD style, int identifier);
    void applyDpi();
    void paintRule(HDC context) const;

    Win32Runtime& runtime;
    Registry& registry;
    UINT dpi = 96;
    HFONT font = nullptr; // the system's dialog font at the box's DPI
    std::unique_ptr<PictureBox> picIcon;
    HWND cmdOK = nullptr;
    HWND cmdSysInfo = nullptr;
    HWND lblDescription = nullptr;
    HWND lblTitle = nullptr;
    HWND lblVersion = nullptr;
    HWND lblDisclaimer = nullptr;
    std::unique_ptr<StaticLabel> titleLabel;
    std::unique_ptr<StaticLabel> versionLabel;
    std::unique_ptr<frmAbout> form;
};

// The program's one About box, loaded when it is first shown and again after each unload.
// Showing it while it is open only brings it to the front. It owns the hidden top-level window
// that owns each box it loads: an owned window has no taskbar button, and this owner lives as
// long as the program, so the box does not go when the game window goes.
class AboutBox : public Window, private MessageTarget {
public:
    AboutBox(Win32Runtime& runtime, Registry& registry);
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;
    ~AboutBox() override;

    // The loaded box, or null.
    AboutWindow* window() const;
    // Gives the open box's dialog keys (Tab, Enter, Esc, Alt+S) their meaning.
    bool translateDialogKeys(MSG& message) const;

    void setCaption(const std::string& text) override;
    void showModeless() override;
    void unload() override;

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    AboutWindow& load();

    Win32Runtime& runtime;
    Registry& registry;
    HWND owner;
    std::unique_ptr<AboutWindow> loaded;
};

} // namespace pomvexa::win32
