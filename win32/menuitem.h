#pragma once

#include "runtime/runtime.h"

#include <windows.h>

namespace pomvexa::win32 {

// An item of a menu, by its command identifier, whose check mark the program sets.
class CheckableMenuItem : public MenuItem {
public:
    CheckableMenuItem(HMENU menu, UINT command)
        : menu(menu)
        , command(command) {}

    void setChecked(bool checked) override {
        CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }

private:
    HMENU menu;
    UINT command;
};

} // namespace pomvexa::win32
