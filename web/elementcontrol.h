#pragma once

#include "runtime/runtime.h"
#include "web/page.h"

#include <cmath>
#include <string>

namespace pomvexa {

// A control placed on the page in CSS pixels from its window's client area; moving it leaves its
// size as it is. The browser shows it at its new place in its next frame.
class ElementControl : public Control {
public:
    explicit ElementControl(std::string element)
        : element(std::move(element)) {}
    void move(float left, float top) override {
        pomvexa_move(element.c_str(), int(std::lround(left)), int(std::lround(top)));
    }

private:
    std::string element;
};

} // namespace pomvexa
