#pragma once

#include "about/frmabout.h"
#include "fakeruntime.h"

namespace pomvexa::testing {

// The About box's logic with a runtime and a registry of the test's choosing, and controls
// that write their calls to the runtime's log.
template <typename RuntimeType, typename RegistryType> struct AboutWiring {
    CallLog log;
    RuntimeType runtime{log};
    RegistryType registry;
    FakeWindow window{"frmAbout", log};
    FakeLabel title{"lblTitle", log};
    FakeLabel version{"lblVersion", log};
    frmAbout form{runtime, registry, frmAboutControls{window, title, version}};
};

} // namespace pomvexa::testing
