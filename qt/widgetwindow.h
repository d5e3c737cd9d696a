#pragma once

#include "runtime/runtime.h"

#include <QString>

namespace pomvexa {

// A top-level widget as one of the program's windows: its caption is its title, showing it
// brings it to the front without blocking, and unloading it closes it.
template <typename Widget> class WidgetWindow : public Widget, public Window {
public:
    using Widget::Widget;

    void setCaption(const std::string& text) override {
        this->setWindowTitle(QString::fromStdString(text));
    }
    void showModeless() override {
        this->show();
        this->raise();
        this->activateWindow();
    }
    void unload() override { this->close(); }
};

} // namespace pomvexa
