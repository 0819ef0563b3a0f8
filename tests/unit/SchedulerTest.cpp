#include <gtest/gtest.h>

#include "SchedulerTestFixture.h"
#include "app/Tray.h"
#include "app/Layouts.h"
#include "schedule/PowerActions.h"

namespace sut {
namespace {

using namespace mainwnd;
using test::kMain;
using test::kReminder;
using test::Scheduling;

constexpr std::uint32_t kForcedPowerOff = kEwxPowerOff | kEwxForce;

TEST(Scheduler, SwitchedOnAheadActsJustAfterTheSetSecondAndThenEverySecondOfTheMinute) {
    Scheduling f;
    f.ClickApply();
    EXPECT_EQ(f.Caption(), "关闭自动关机");
    EXPECT_FALSE(f.ui.WindowVisible(kMain));
    EXPECT_EQ(f.ui.LastTip(), "Orvandel - Sutremo - 定时已开启");
    EXPECT_EQ(f.Label(), "关机时间为21:00:00");
    EXPECT_GT(f.CheckTimer(), 0);

    // 20:59:58.000 to just before 21:00:00 plus the margin: not yet.
    f.ui.Advance(2000 + kCheckMarginMs - 1);
    EXPECT_EQ(f.Requests(), 0u);
    f.ui.Advance(1);
    ASSERT_EQ(f.Requests(), 1u);
    EXPECT_EQ(f.power.requests[0].flags, kForcedPowerOff);  // no close.ini: power off

    // The timer goes on: once a second up to 21:00:59, then nothing.
    f.ui.Advance(59'000);
    EXPECT_EQ(f.Requests(), 60u);
    f.ui.Advance(60'000);
    EXPECT_EQ(f.Requests(), 60u);
    EXPECT_EQ(f.Caption(), "关闭自动关机");
}

TEST(Scheduler, ASetSecondLateInTheMinuteIsRequestedOnEachCheckFromThereTo59) {
    Scheduling f("[关机操作]\r\n关机方式=2\r\n");
    f.SetTime("21", "00", "50");
    f.ClickApply();
    f.ui.Advance(180'000);
    ASSERT_EQ(f.Requests(), 10u);
    for (const auto& r : f.power.requests) EXPECT_EQ(r.flags, kEwxReboot | kEwxForce);
}

TEST(Scheduler, DueWhenHourAndMinuteAreEqualAndTheSecondAtOrAfter) {
    struct Case {
        const char *hour, *minute, *second;
        int h, m, s;  // the clock
        bool due;
    } cases[] = {
        {"21", "00", "00", 21, 0, 0, true},
        {"21", "00", "00", 21, 0, 59, true},
        {"21", "00", "00", 20, 59, 59, false},
        {"21", "00", "00", 21, 1, 0, false},
        {"21", "00", "30", 21, 0, 29, false},
        {"21", "00", "30", 21, 0, 30, true},
        {"21", "00", "-5", 21, 0, 0, true},  // a negative second: the whole minute
        {"24", "00", "00", 0, 0, 0, false},  // out of range: never
        {"21", "60", "00", 22, 0, 0, false},
        {"21", "00", "60", 21, 0, 59, false},
        {"08", "5", "", 8, 5, 0, true},      // texts as they stand: 08:05:00
        {"abc", "0", "0", 0, 0, 0, true},    // not a number: 0
        {"２１", "00", "00", 21, 0, 0, true},  // full-width digits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second << " at "
                                        << c.h << ":" << c.m << ":" << c.s);
        Scheduling f;
        f.SetTime(c.hour, c.minute, c.second);
        f.At(c.h, c.m, c.s);
        CheckScheduledTime(f.app);
        EXPECT_EQ(f.Label(), std::string("关机时间为") + c.hour + ":" + c.minute + ":" + c.second);
        EXPECT_EQ(f.Requests(), c.due ? 1u : 0u);
    }
}

TEST(Scheduler, EachCheckIsHeldJustAfterTheNextSecondBoundary) {
    struct Case {
        int ms;      // of the clock when the check runs
        int period;  // till the next check
    } cases[] = {{0, 1000 + kCheckMarginMs},
                 {kCheckMarginMs, 1000},
                 {730, 270 + kCheckMarginMs},
                 {999, 1 + kCheckMarginMs}};
    for (const Case& c : cases) {
        Scheduling f;
        f.At(20, 0, 0, c.ms);
        CheckScheduledTime(f.app);
        EXPECT_EQ(f.CheckTimer(), c.period) << c.ms;
    }
}

TEST(Scheduler, SwitchingOnWithinTheDueMinuteActsInsideTheClick) {
    Scheduling f;
    f.At(21, 0, 30);
    f.ClickApply();
    EXPECT_EQ(f.Requests(), 1u);
    EXPECT_FALSE(f.ui.WindowVisible(kMain));
    EXPECT_EQ(f.ui.LastTip(), "Orvandel - Sutremo - 定时已开启");
}

TEST(Scheduler, WithTodaysBoxUntickedNothingEverComes) {
    Scheduling f;
    f.ui.SetChecked(kMain, 选择框3, false);
    for (ControlId other : {选择框1, 选择框2, 选择框4, 选择框5, 选择框6, 选择框7})
        f.ui.SetChecked(kMain, other, true);
    f.ClickApply();
    EXPECT_EQ(f.Caption(), "关闭自动关机");
    EXPECT_EQ(f.ui.LastTip(), "Orvandel - Sutremo - 定时已开启");
    EXPECT_EQ(f.Label(), "");
    EXPECT_EQ(f.CheckTimer(), 0);
    f.ui.Advance(2 * 86'400'000LL);
    EXPECT_EQ(f.Requests(), 0u);
}

// The box that counts on each weekday is the one captioned with that day's name, and only it:
// each row arms with its box alone ticked and stays idle with every box but its own, so a table
// entry swapped or shifted by a day fails two rows.
TEST(Scheduler, SwitchingOnConsultsOnlyTheBoxNamedForToday) {
    struct Row {
        int day;  // of May 2014
        const char* name;
    } rows[] = {{11, "星期日"}, {12, "星期一"}, {13, "星期二"}, {14, "星期三"},
                {15, "星期四"}, {16, "星期五"}, {17, "星期六"}};
    const WindowSpec& layout = LayoutOf(kMain);
    constexpr ControlId kBoxes[] = {选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7};
    for (const Row& row : rows) {
        for (bool onlyTodays : {true, false}) {
            SCOPED_TRACE(testing::Message() << row.name << (onlyTodays ? ", its box alone" : ", every other box"));
            Scheduling f(nullptr, row.day);
            for (ControlId box : kBoxes)
                f.ui.SetChecked(kMain, box, (FindControl(layout, box)->caption == row.name) == onlyTodays);
            f.ClickApply();
            EXPECT_EQ(f.CheckTimer() > 0, onlyTodays);
            f.ui.Advance(3000);
            EXPECT_EQ(f.Requests() > 0, onlyTodays);
        }
    }
}

// The weekday is read at the moment of switching on: one second before midnight it is the day
// that ends, and the schedule then runs into the next day whatever that day's box says.
TEST(Scheduler, ASwitchOnJustBeforeMidnightCountsForTheDayThatEnds) {
    struct Row {
        const char* what;
        int day, hour, minute, second;  // switched on, May 2014
        bool arms;
    } rows[] = {
        {"Tuesday 23:59:59, Tuesday ticked", 13, 23, 59, 59, true},
        {"Wednesday 00:00:00, Tuesday ticked", 14, 0, 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Scheduling f(nullptr, 13);  // started on Tuesday evening
        for (ControlId box : {选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7})
            f.ui.SetChecked(kMain, box, box == 选择框2);
        f.SetTime("0", "0", "5");
        f.clock.Set(2014, 5, row.day, row.hour, row.minute, row.second);
        f.ClickApply();
        f.ui.Advance(10'000);  // Wednesday 00:00:05 has passed, its box unticked
        EXPECT_EQ(f.Requests() > 0, row.arms);
    }
}

TEST(Scheduler, SwitchingOffStopsTheChecksAndLeavesTheWindowAsItIs) {
    Scheduling f;
    f.ClickApply();
    f.ui.SetWindowVisible(kMain, true);  // shown again from the tray
    f.ClickApply();
    EXPECT_EQ(f.Caption(), "开启自动关机");
    EXPECT_EQ(f.Label(), "今日无关机事件");
    EXPECT_EQ(f.ui.LastTip(), "Orvandel - Sutremo");
    EXPECT_EQ(f.CheckTimer(), 0);
    EXPECT_TRUE(f.ui.WindowVisible(kMain));
    f.ui.Advance(10'000);
    EXPECT_EQ(f.Requests(), 0u);
}

TEST(Scheduler, PastTheSetTimeItActsOnTheNextDayWhateverThatDaysBox) {
    Scheduling f;
    f.At(21, 1, 0);
    f.ClickApply();
    EXPECT_EQ(f.Requests(), 0u);
    f.ui.Advance(86'400'000 - 60'000 + kCheckMarginMs - 1);  // Thursday 21:00:00, unticked
    EXPECT_EQ(f.Requests(), 0u);
    f.ui.Advance(1);
    EXPECT_EQ(f.Requests(), 1u);
}

TEST(Scheduler, TimeAndReminderBoxesCountAsTheyStandOnScreen) {
    Scheduling f;
    f.ClickApply();
    f.SetTime("22", "15", "00");
    f.ui.Advance(1000 + kCheckMarginMs);
    EXPECT_EQ(f.Label(), "关机时间为22:15:00");
    f.ui.SetChecked(kMain, 选择框8, true);
    f.ui.Advance((3600 + 15 * 60 + 1) * 1000LL);  // past 21:00:00 to 22:15:00
    EXPECT_EQ(f.Requests(), 0u);
    EXPECT_TRUE(f.ui.IsOpen(kReminder));
    EXPECT_EQ(f.CheckTimer(), 0);
    EXPECT_EQ(f.Caption(), "关闭自动关机");
}

TEST(Scheduler, ACaptionOtherThanTheTwoIsLeftAndCountsAsOff) {
    Scheduling f;
    f.ui.SetText(kMain, 应用, "x");
    f.ClickApply();
    EXPECT_EQ(f.Caption(), "x");
    EXPECT_EQ(f.Label(), "今日无关机事件");
    EXPECT_EQ(f.CheckTimer(), 0);
}

}  // namespace
}  // namespace sut
