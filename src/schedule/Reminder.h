// ReminderWindow: the countdown before the saved power action.
#pragma once

#include "app/App.h"

namespace sut {

bool HandleReminderWindowEvent(App& app, const Event& event);

}  // namespace sut
