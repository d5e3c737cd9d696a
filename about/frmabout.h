#pragma once

#include "runtime/registry.h"
#include "runtime/runtime.h"

namespace pomvexa {

// The controls of the About box that its logic works on.
struct frmAboutControls {
    Window& form;
    Label& lblTitle;
    Label& lblVersion;
};

// The About box's behaviour: the texts built from the application's title and version when it
// loads, closing, and finding and starting the System Information tool through the registry.
class frmAbout {
public:
    static constexpr const char* unavailableMessage = "此时系统信息不可用";

    frmAbout(Runtime& runtime, Registry& registry, const frmAboutControls& controls);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void StartSysInfo();

    Runtime& runtime;
    Registry& registry;
    frmAboutControls controls;
};

} // namespace pomvexa
