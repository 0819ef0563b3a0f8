#include <gtest/gtest.h>

#include "app/ClockText.h"
#include "FakeClock.h"

namespace sut {
namespace {

struct ClockCase {
    int hour, minute, second;
    const char* expected;
};

TEST(ClockText, LeavesOutTrailingZeroParts) {
    const ClockCase cases[] = {
        {13, 39, 24, "2014年5月10日13时39分24秒"},
        {13, 40, 0, "2014年5月10日13时40分"},
        {13, 0, 0, "2014年5月10日13时"},
        {0, 0, 0, "2014年5月10日"},
        {0, 0, 5, "2014年5月10日0时0分5秒"},
        {0, 7, 0, "2014年5月10日0时7分"},
        {9, 0, 9, "2014年5月10日9时0分9秒"},
    };
    for (const ClockCase& c : cases) {
        LocalTime t{2014, 5, 10, c.hour, c.minute, c.second};
        EXPECT_EQ(DateTimeText(t), c.expected) << c.hour << ":" << c.minute << ":" << c.second;
    }
}

TEST(ClockText, NamesEveryWeekdayAndRejectsOthers) {
    const char* names[] = {"出错", "星期日", "星期一", "星期二", "星期三",
                           "星期四", "星期五", "星期六", "出错"};
    for (int d = 0; d <= 8; ++d) EXPECT_EQ(WeekdayName(d), names[d]) << d;
}

TEST(FakeClock, KnowsTheWeekdayOfADate) {
    test::FakeClock clock;
    clock.Set(2014, 5, 10, 13, 39, 24);  // a Saturday
    EXPECT_EQ(clock.Now().weekday, 7);
    clock.Set(2026, 12, 13, 0, 0, 0);  // a Sunday
    EXPECT_EQ(clock.Now().weekday, 1);
    clock.Set(2000, 2, 29, 23, 59, 59);  // a Tuesday
    EXPECT_EQ(clock.Now().weekday, 3);
    EXPECT_EQ(clock.Now().day, 29);
}

}  // namespace
}  // namespace sut
