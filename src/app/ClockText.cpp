#include "app/ClockText.h"

#include <array>

namespace sut {

std::string DateTimeText(const LocalTime& t) {
    // Built from std::to_string rather than printf: the whole formatting engine would cost the
    // executable more than everything else here.
    auto part = [](int value, const char* unit) { return std::to_string(value) + unit; };
    std::string text = part(t.year, "年") + part(t.month, "月") + part(t.day, "日");
    if (t.second != 0) text += part(t.hour, "时") + part(t.minute, "分") + part(t.second, "秒");
    else if (t.minute != 0) text += part(t.hour, "时") + part(t.minute, "分");
    else if (t.hour != 0) text += part(t.hour, "时");
    return text;
}

std::string WeekdayName(int weekday) {
    static constexpr std::array<const char*, 7> kNames = {
        "星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    if (weekday < 1 || weekday > 7) return "出错";
    return kNames[weekday - 1];
}

}  // namespace sut
