#pragma once

#include <QAccessible>

class QWidget;

namespace pomvexa {

// Gives the widget the role under which assistive technology presents it. Qt presents a widget
// of a class of its own as a client area, which screen readers call a filler; its name stays
// the widget's accessible name. Set before anything has asked for the widget's accessible
// interface, which Qt makes once.
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

} // namespace pomvexa
