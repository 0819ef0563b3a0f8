#include "schedule/PowerActions.h"

#include "settings/Ini.h"
#include "settings/Numbers.h"

namespace sut {
namespace {

std::uint32_t ExitFlags(int code, bool nt) {
    switch (code) {
    case PowerOff: return nt ? kEwxPowerOff : kEwxShutdown;  // 95, 98, Me cannot power off
    case Restart: return kEwxReboot;
    default: return kEwxLogOff;
    }
}

}  // namespace

bool PerformPowerAction(Power& power, int code, bool force) {
    if (code < PowerOff || code > Hibernate) return false;
    const bool nt = power.IsNtFamily();
    // Only the NT family guards shutting down with a privilege.
    if (nt && !power.EnableShutdownPrivilege()) return false;
    if (code == Suspend || code == Hibernate) return power.SetSystemPowerState(code == Suspend, force);
    return power.ExitSession(ExitFlags(code, nt) | (force ? kEwxForce : 0));
}

void RunSavedPowerAction(App& app, std::string_view fallback) {
    const std::string code =
        ReadIniValue(app.files, app.settingsDirectory + "close.ini", "关机操作", "关机方式", fallback);
    PerformPowerAction(app.power, TextToInteger(code), true);
}

}  // namespace sut
