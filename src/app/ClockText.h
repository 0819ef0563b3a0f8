// The texts of the running clock label.
#pragma once

#include <string>

#include "platform/Clock.h"

namespace sut {

// "%d年%d月%d日", then the time with its trailing zero parts left out.
std::string DateTimeText(const LocalTime& t);
// "星期日" .. "星期六" for weekdays 1 .. 7, "出错" otherwise.
std::string WeekdayName(int weekday);

}  // namespace sut
