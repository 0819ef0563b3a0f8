#include "schedule/Reminder.h"

namespace sut {

bool HandleReminderWindowEvent(App&, const Event&) { return true; }

}  // namespace sut
