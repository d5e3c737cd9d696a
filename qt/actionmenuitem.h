#pragma once

#include "runtime/runtime.h"

#include <QAction>

namespace pomvexa {

// A menu item whose check mark the program sets. Only a checked item is checkable, so that an
// unchecked one shows no empty check box, and choosing an item never moves the mark by itself.
class ActionMenuItem : public MenuItem {
public:
    explicit ActionMenuItem(QAction* action)
        : action(action) {}

    void setChecked(bool checked) override {
        action->setCheckable(checked);
        action->setChecked(checked);
    }

private:
    QAction* action;
};

} // namespace pomvexa
