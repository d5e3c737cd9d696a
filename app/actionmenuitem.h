#pragma once

#include "runtime.h"

#include <QAction>

namespace pomvexa {

// A menu item whose check mark the program sets; the action must be checkable.
class ActionMenuItem : public MenuItem {
public:
    explicit ActionMenuItem(QAction* action)
        : action(action) {}

    void setChecked(bool checked) override { action->setChecked(checked); }

private:
    QAction* action;
};

} // namespace pomvexa
