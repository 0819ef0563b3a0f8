#include "app/PasswordWindows.h"

namespace sut {

bool HandlePasswordWindowEvent(App&, WindowId, const Event&) { return true; }
void CheckStartupPasswords(App&) {}
bool OnPasswordMenuItem(App&, ControlId) { return false; }

}  // namespace sut
