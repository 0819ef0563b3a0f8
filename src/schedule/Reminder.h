// ReminderWindow: the countdown before the saved power action. Opened non-modally by the
// scheduler; one at a time.
#pragma once

#include "app/App.h"

namespace sut {

// Creation: the count, from the saved reminder seconds (at least 1).
void LoadCountdown(App& app);
// Each tick of 时钟1: one second less; at 0 the timer stops and the saved action is requested.
void CountDown(App& app);
// "立即关机": the saved action at once, and the window closes.
void ActNow(App& app);
// "放弃关机": the count stops, the scheduler's button reads switched off, the window closes.
void GiveUp(App& app);

}  // namespace sut
