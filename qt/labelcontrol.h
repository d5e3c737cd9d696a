#pragma once

#include "runtime/runtime.h"

#include <QLabel>

namespace pomvexa {

// A label whose text the program sets.
class LabelControl : public Label {
public:
    explicit LabelControl(QLabel* label)
        : label(label) {}

    void setCaption(const std::string& text) override {
        label->setText(QString::fromStdString(text));
    }

private:
    QLabel* label;
};

} // namespace pomvexa
