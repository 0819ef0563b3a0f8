#include "settings/Autostart.h"

namespace sut {

std::string AutostartCommand(const App& app) {
    const std::string path = app.settingsDirectory + app.executableName;
    if (path.find(' ') == std::string::npos) return path;
    return "\"" + path + "\"";
}

void RegisterAutostart(App& app) {
    app.registry.SetMachineString(kRunKeyPath, kRunValueName, AutostartCommand(app));
}

void UnregisterAutostart(App& app) { app.registry.DeleteMachineValue(kRunKeyPath, kRunValueName); }

}  // namespace sut
