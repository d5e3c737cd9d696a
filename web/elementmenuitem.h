#pragma once

#include "runtime/runtime.h"
#include "web/page.h"

#include <string>

namespace pomvexa {

// A menu item of the page's menu bar, which shows its check mark.
class ElementMenuItem : public MenuItem {
public:
    explicit ElementMenuItem(std::string element)
        : element(std::move(element)) {}
    void setChecked(bool checked) override { pomvexa_set_checked(element.c_str(), checked); }

private:
    std::string element;
};

} // namespace pomvexa
