#include "settings/ScheduleFile.h"

#include "app/PasswordWindows.h"

namespace sut {

// Filled in with the settings file; for now only the start-up password step runs.
void LoadScheduleSettings(App& app) { CheckStartupPasswords(app); }

void SaveScheduleSettings(App&) {}

}  // namespace sut
