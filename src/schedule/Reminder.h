// ReminderWindow: the countdown before the saved power action. Opened non-modally by the
// scheduler; one at a time.
#pragma once

#include "app/App.h"

namespace sut {

bool HandleReminderWindowEvent(App& app, const Event& event);

}  // namespace sut
