// Automatic shut-down: switched by the button 应用, checked once a second by 时钟1.
#pragma once

#include "app/App.h"

namespace sut {

void OnApplyClicked(App& app);
void ArmForToday(App& app);
void CheckScheduledTime(App& app);

}  // namespace sut
