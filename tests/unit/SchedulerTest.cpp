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
    f.ui.ClockChanged();
    f.ui.Tray(1);
    f.ui.Tray(1);
    EXPECT_EQ(f.CheckTimer(), 0);
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
    f.ui.Tray(1);  // shown, or the clock moved: the countdown still decides alone
    f.ui.ClockChanged();
    EXPECT_EQ(f.CheckTimer(), 0);
}

// Hidden in the tray the program sleeps until the next second that could be due, at most
// kLongestSleepMs: two wake-ups a minute at most, the clock label's none, and still the first
// check of the set second just after it starts and then every second of the minute.
TEST(Scheduler, HiddenItWakesAtMostTwiceAMinuteAndStillChecksTheSetSecondAsItStarts) {
    struct Case {
        const char* what;
        int h, m, s, ms;                     // switched on
        const char *hour, *minute, *second;  // the set time
        std::int64_t firstMs;                // from switching on to the first request; -1: never
        std::size_t inTheMinute;             // requests in the due minute
    } cases[] = {
        {"hours away", 18, 0, 0, 0, "21", "00", "00", 3 * 3'600'000, 60},
        {"at an odd moment", 18, 0, 0, 737, "21", "00", "00", 3 * 3'600'000 - 737, 60},
        {"across midnight", 23, 59, 30, 0, "0", "0", "10", 40'000, 50},
        {"set second 59: one request", 20, 0, 0, 0, "21", "00", "59", 3'659'000, 1},
        {"a negative second: the whole minute", 20, 0, 0, 0, "21", "00", "-5", 3'600'000, 60},
        {"earlier in the due minute", 21, 0, 10, 0, "21", "00", "40", 30'000, 20},
        {"just past: tomorrow", 21, 1, 0, 0, "21", "00", "00", 86'400'000 - 60'000, 60},
        {"out of range: never", 18, 0, 0, 0, "24", "00", "00", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scheduling f;
        f.SetTime(c.hour, c.minute, c.second);
        f.At(c.h, c.m, c.s, c.ms);
        f.ClickApply();
        EXPECT_FALSE(f.ui.WindowVisible(kMain));
        const std::int64_t until = c.firstMs < 0 ? 2 * 86'400'000LL : c.firstMs + kCheckMarginMs - 1;
        f.ui.Advance(until);
        EXPECT_EQ(f.Requests(), 0u);
        EXPECT_LE(f.ui.Ticks(kMain, 时钟1), 2 * (until / 60'000) + 3);
        EXPECT_EQ(f.ui.Ticks(kMain, 时钟2), 0);
        if (c.firstMs < 0) continue;
        f.ui.Advance(1);
        EXPECT_EQ(f.Requests(), 1u);
        f.ui.Advance(60'000);
        EXPECT_EQ(f.Requests(), c.inTheMinute);
    }
}

// The wall clock moves under the sleeping program: set by the user, a new time zone, daylight
// saving, a resume from sleep (the timers count no time meanwhile). Windows announces each with
// ClockChanged; the requests that follow are those a check every second would make from the
// move on. Set time 21:00:50, so that the due seconds are fewer than one sleep is long.
TEST(Scheduler, AMoveOfTheWallClockLeadsToTheRequestsOfACheckEverySecond) {
    struct Case {
        const char* what;
        int fromH, fromM, fromS, fromMs;  // reached after switching on at 18:00:00
        int toH, toM, toS, toMs;          // the wall clock after the move
        bool announced;
        std::size_t atOnce;               // requests made inside the announcement
        int firstTimedSecond;             // of the first request the timer brings; -1: none
        std::size_t total;                // requests within 90 s of the move
    } cases[] = {
        {"set forward to just before the set second", 18, 0, 10, 0, 21, 0, 49, 0, true, 0, 50, 10},
        {"set forward into the due seconds", 18, 0, 10, 0, 21, 0, 55, 500, true, 1, 56, 5},
        {"set forward past the due minute", 18, 0, 10, 0, 21, 1, 0, 0, true, 0, -1, 0},
        {"set back into the minute it acted in", 21, 0, 55, 500, 21, 0, 45, 0, true, 0, 50, 10},
        {"a time zone an hour east", 20, 0, 10, 0, 21, 0, 10, 0, true, 0, 50, 10},
        {"daylight saving ends: the hour again", 21, 0, 59, 500, 20, 0, 59, 500, true, 0, -1, 0},
        {"resumed inside the due seconds", 20, 59, 40, 0, 21, 0, 53, 300, true, 1, 54, 7},
        {"resumed before the set second", 20, 59, 40, 0, 21, 0, 20, 0, true, 0, 50, 10},
        {"resumed after the due minute", 20, 59, 40, 0, 21, 10, 0, 0, true, 0, -1, 0},
        {"announced, not moved, in a second already asked", 21, 0, 52, 500, 21, 0, 52, 500, true, 0, 53, 7},
        {"moved unannounced: seen at the next wake", 18, 0, 10, 0, 21, 0, 10, 0, false, 0, 50, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scheduling f;
        f.SetTime("21", "00", "50");
        f.At(18, 0, 0);
        f.ClickApply();
        const std::int64_t from = (((c.fromH - 18) * 60 + c.fromM) * 60 + c.fromS) * 1000LL + c.fromMs;
        f.ui.Advance(from);
        const std::size_t before = f.Requests();
        f.At(c.toH, c.toM, c.toS, c.toMs);
        if (c.announced) f.ui.ClockChanged();
        EXPECT_EQ(f.Requests() - before, c.atOnce);
        int firstTimedSecond = -1, firstTimedMs = -1;
        for (int step = 0; step < 9000; ++step) {
            const std::size_t n = f.Requests();
            f.ui.Advance(10);
            if (f.Requests() > n && firstTimedSecond < 0) {
                firstTimedSecond = f.clock.Now().second;
                firstTimedMs = f.clock.Now().millisecond;
            }
        }
        EXPECT_EQ(firstTimedSecond, c.firstTimedSecond);
        if (firstTimedSecond >= 0) {
            EXPECT_LE(firstTimedMs, kCheckMarginMs + 10);  // as the second starts
        }
        EXPECT_EQ(f.Requests() - before, c.total);
    }
}

// Shown, the checks come every second, so that the status line follows the boxes as they are
// edited; it is right the moment the window appears.
TEST(Scheduler, ShownTheChecksComeEverySecondAndTheStatusLineIsRightAtOnce) {
    Scheduling f;
    f.At(18, 0, 0);
    f.ClickApply();
    f.ui.Advance(600'000);        // 18:10:00, asleep till 18:10:01
    f.SetTime("19", "30", "00");  // changed from outside while hidden
    f.ui.Tray(1);
    EXPECT_EQ(f.Label(), "关机时间为19:30:00");
    const int ticks = f.ui.Ticks(kMain, 时钟1);
    f.SetTime("19", "31", "00");  // typed
    f.ui.Advance(1000 + kCheckMarginMs);
    EXPECT_EQ(f.Label(), "关机时间为19:31:00");
    f.ui.Advance(9000);
    EXPECT_EQ(f.ui.Ticks(kMain, 时钟1) - ticks, 10);
    f.ui.Tray(1);  // hidden again
    f.ui.Advance((3600 + 31 * 60 - 610) * 1000LL + kCheckMarginMs);
    EXPECT_EQ(f.Requests(), 1u);
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
