#include "schedule/Scheduler.h"

namespace sut {

void OnApplyClicked(App&) {}
void ArmForToday(App&) {}
void CheckScheduledTime(App&) {}

}  // namespace sut
