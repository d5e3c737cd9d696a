#pragma once

#include "runtime/runtime.h"

#include <QPointer>

namespace pomvexa {

class AboutDialog;
class QtRuntime;
class Registry;

// The program's one About box, loaded when it is first shown and again after each unload.
// Showing it while it is open only brings it to the front.
class AboutBox : public Window {
public:
    AboutBox(QtRuntime& runtime, Registry& registry);
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;
    ~AboutBox() override;

    void setCaption(const std::string& text) override;
    void showModeless() override;
    void unload() override;

    // The loaded box, or null.
    AboutDialog* dialog() const;

private:
    AboutDialog* load();

    QtRuntime& runtime;
    Registry& registry;
    QPointer<AboutDialog> loaded;
};

} // namespace pomvexa
