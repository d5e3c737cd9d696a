#include "qt/aboutbox.h"

#include "qt/aboutdialog.h"

namespace pomvexa {

AboutBox::AboutBox(QtRuntime& runtime, Registry& registry)
    : runtime(runtime)
    , registry(registry) {
}

AboutBox::~AboutBox() {
    delete loaded;
}

AboutDialog* AboutBox::dialog() const {
    return loaded != nullptr && !loaded->isUnloaded() ? loaded.data() : nullptr;
}

AboutDialog* AboutBox::load() {
    // A box that was unloaded is destroyed later; the next one is a fresh load.
    if (loaded == nullptr || loaded->isUnloaded())
        loaded = new AboutDialog(runtime, registry);
    return loaded;
}

void AboutBox::setCaption(const std::string& text) {
    load()->setCaption(text);
}

void AboutBox::showModeless() {
    load()->showModeless();
}

void AboutBox::unload() {
    if (loaded != nullptr && !loaded->isUnloaded())
        loaded->unload();
}

} // namespace pomvexa
