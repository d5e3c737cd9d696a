#pragma once

#include "runtime/runtime.h"
#include "web/page.h"

#include <string>

namespace pomvexa {

// A label: the text of one of the page's elements.
class ElementLabel : public Label {
public:
    explicit ElementLabel(std::string element)
        : element(std::move(element)) {}
    void setCaption(const std::string& text) override {
        pomvexa_set_text(element.c_str(), text.c_str());
    }

private:
    std::string element;
};

} // namespace pomvexa
