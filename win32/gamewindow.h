#pragma once

#include "game/form1.h"
#include "win32/canvasview.h"
#include "win32/drawingsurface.h"
#include "win32/menuitem.h"
#include "win32/picturebox.h"
#include "win32/tickingtimer.h"
#include "win32/toplevelwindow.h"
#include "win32/win32runtime.h"
#include "win32/windowclass.h"

#include <memory>
#include <optional>

namespace pomvexa::win32 {

// The game window: a fixed playfield of 527 x 391 logical pixels under a menu bar, with the
// face picture on it and the timer, drawn at the DPI of the monitor it is on. It owns its controls
// and the round logic and hands every menu choice, accelerator, click and tick to the round logic
// through the runtime's event delivery. Unloading it destroys its window and stops its timer at
// once; the object itself lives on until the program ends.
class GameWindow : public TopLevelWindow, private MessageTarget {
public:
    static constexpr SIZE clientSize{527, 391};

    // The menu commands, as WM_COMMAND carries them.
    enum Command : UINT {
        startCommand = 100,
        exitCommand,
        easyCommand,
        moderateCommand,
        hardCommand,
        impossibleCommand,
        helpCommand,
        aboutCommand,
    };

    // aboutBox is the program's About box, which outlives this window.
    GameWindow(Win32Runtime& runtime, Window& aboutBox);
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;
    ~GameWindow() override;

    const Form1& game() const { return *form; }
    CanvasView& playfield() { return *formCanvas; }
    PictureBox& picture() { return *Picture1; }
    Timer& timer() { return *Timer1; }

    // Runs Ctrl+N while a message is for this window or one of its controls.
    bool translateAccelerator(MSG& message) const;

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void createMenus();
    void fitClientArea();
    void changeDpi(UINT newDpi, const RECT& suggested);
    void command(UINT identifier);

    Win32Runtime& runtime;
    UINT dpi = 96;
    HMENU menuBar = nullptr;
    HACCEL accelerators = nullptr;
    std::unique_ptr<CanvasView> formCanvas;
    std::unique_ptr<PictureBox> Picture1;
    std::unique_ptr<TickingTimer> Timer1;
    std::optional<CheckableMenuItem> easyItem;
    std::optional<CheckableMenuItem> moderateItem;
    std::optional<CheckableMenuItem> hardItem;
    std::optional<CheckableMenuItem> impossibleItem;
    std::unique_ptr<Form1> form;
};

} // namespace pomvexa::win32
