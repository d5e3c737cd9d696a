#include "about/frmabout.h"

#include "about/registryvalue.h"
#include "runtime/runtimeerror.h"

#include <string>

namespace pomvexa {
namespace {

const std::string toolPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string toolPathValue = "PATH";
const std::string toolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string toolFolderValue = "MSINFO";
const std::string toolFileName = "\\MSINFO32.EXE";

} // namespace

frmAbout::frmAbout(Runtime& runtime, Registry& registry, const frmAboutControls& controls)
    : runtime(runtime)
    , registry(registry)
    , controls(controls) {
}

void frmAbout::Form_Load() {
    controls.form.setCaption("关于 " + runtime.application().title);
    const ApplicationIdentity version = runtime.application();
    controls.lblVersion.setCaption("版本 " + std::to_string(version.major) + "." +
                                   std::to_string(version.minor) + "." +
                                   std::to_string(version.revision));
    controls.lblTitle.setCaption(runtime.application().title);
}

void frmAbout::cmdOK_Click() {
    controls.form.unload();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

// Any run-time error on the way to starting the tool ends in the one message.
void frmAbout::StartSysInfo() {
    try {
        std::string path;
        const bool pathFound =
            GetKeyValue(registry, Registry::localMachine, toolPathKey, toolPathValue, path);
        // A full path is taken as it is, without testing that the file exists.
        const bool folderFound =
            !pathFound &&
            GetKeyValue(registry, Registry::localMachine, toolFolderKey, toolFolderValue, path) &&
            !runtime.findFile(path + toolFileName).empty();
        if (pathFound || folderFound) {
            if (folderFound)
                path += toolFileName;
            runtime.launchProgram(path, WindowStyle::normalFocus);
            return;
        }
    } catch (const RuntimeError&) {
    }
    runtime.showMessage(unavailableMessage, MessageStyle::okOnly);
}

} // namespace pomvexa
