#include "app/ClockText.h"

#include <array>
#include <cstdio>

namespace sut {

std::string DateTimeText(const LocalTime& t) {
    char buf[96];
    int n = std::snprintf(buf, sizeof buf, "%d年%d月%d日", t.year, t.month, t.day);
    const int room = static_cast<int>(sizeof buf) - n;
    if (t.second != 0)
        std::snprintf(buf + n, room, "%d时%d分%d秒", t.hour, t.minute, t.second);
    else if (t.minute != 0)
        std::snprintf(buf + n, room, "%d时%d分", t.hour, t.minute);
    else if (t.hour != 0)
        std::snprintf(buf + n, room, "%d时", t.hour);
    return buf;
}

std::string WeekdayName(int weekday) {
    static constexpr std::array<const char*, 7> kNames = {
        "星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    if (weekday < 1 || weekday > 7) return "出错";
    return kNames[weekday - 1];
}

}  // namespace sut
