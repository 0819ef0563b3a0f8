// The six password windows and the password items of the menu "设置".
#pragma once

#include "app/App.h"

namespace sut {

bool HandlePasswordWindowEvent(App& app, WindowId window, const Event& event);
// Load step 5: the start prompt when a start password is stored, and the menu items.
void CheckStartupPasswords(App& app);
// The six items of "设置"; false when the id is not one of them.
bool OnPasswordMenuItem(App& app, ControlId item);

}  // namespace sut
