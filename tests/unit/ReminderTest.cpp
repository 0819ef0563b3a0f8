#include <gtest/gtest.h>

#include <optional>

#include "SchedulerTestFixture.h"
#include "app/Tray.h"
#include "schedule/PowerActions.h"
#include "schedule/ReminderLayout.h"

namespace sut {
namespace {

using test::kMain;
using test::kReminder;
using test::Scheduling;

// The set time comes with the reminder box ticked: switched on at 21:00:00, the countdown opens
// inside the click. `onScreen`: reminder seconds typed, not saved, before switching on.
struct Counting : Scheduling {
    explicit Counting(const char* closeIni = nullptr, const char* onScreen = nullptr) : Scheduling(closeIni) {
        if (onScreen) ui.Type(kMain, mainwnd::编辑框4, onScreen);
        ui.SetChecked(kMain, mainwnd::选择框8, true);
        At(21, 0, 0);
        ClickApply();
        EXPECT_TRUE(ui.IsOpen(kReminder));
    }
    std::string Count() { return ui.Text(kReminder, reminderwnd::标签1); }
    int CountdownTimer() { return ui.TimerPeriod(kReminder, reminderwnd::时钟1); }
};

TEST(Reminder, CountsTheSavedSecondsDownAndActsOnTheTickThatShowsZero) {
    Counting f("[提醒时间]\r\n秒=3\r\n[关机操作]\r\n关机方式=2\r\n", "10");  // 10 unsaved: not consulted
    EXPECT_EQ(f.ui.OuterWidth(kReminder), 195);
    EXPECT_EQ(f.ui.OuterHeight(kReminder), 106);
    EXPECT_EQ(f.Count(), "");
    EXPECT_EQ(f.CheckTimer(), 0);
    EXPECT_EQ(f.Caption(), "关闭自动关机");

    for (const char* shown : {"离关机还有2秒", "离关机还有1秒"}) {
        f.ui.Advance(1000);
        EXPECT_EQ(f.Count(), shown);
        EXPECT_EQ(f.Requests(), 0u);
    }
    f.ui.Advance(1000);
    EXPECT_EQ(f.Count(), "离关机还有0秒");
    ASSERT_EQ(f.Requests(), 1u);
    EXPECT_EQ(f.power.requests[0].flags, kEwxReboot | kEwxForce);
    EXPECT_EQ(f.CountdownTimer(), 0);

    // Expired: the window stays, asks nothing more, and its buttons still work.
    f.ui.Advance(5000);
    EXPECT_EQ(f.Requests(), 1u);
    EXPECT_EQ(f.Count(), "离关机还有0秒");
    f.ui.Click(kReminder, reminderwnd::按钮2);
    EXPECT_FALSE(f.ui.IsOpen(kReminder));
    EXPECT_EQ(f.Caption(), "开启自动关机");
}

TEST(Reminder, WithoutSettingsItCounts30AndPowersOff) {
    Counting f;
    f.ui.Advance(1000);
    EXPECT_EQ(f.Count(), "离关机还有29秒");
    f.ui.Advance(28'000);
    EXPECT_EQ(f.Requests(), 0u);
    f.ui.Advance(1000);
    EXPECT_EQ(f.Count(), "离关机还有0秒");
    ASSERT_EQ(f.Requests(), 1u);
    EXPECT_EQ(f.power.requests[0].flags, kEwxPowerOff | kEwxForce);
}

TEST(Reminder, ACountBelowOneActsOnTheFirstTick) {
    for (const char* saved : {"1", "0", "-5", "abc", "", "-2147483648"}) {
        SCOPED_TRACE(saved);
        Counting f((std::string("[提醒时间]\r\n秒=") + saved + "\r\n").c_str());
        f.ui.Advance(999);
        EXPECT_EQ(f.Requests(), 0u);
        f.ui.Advance(1);
        EXPECT_EQ(f.Count(), "离关机还有0秒");
        EXPECT_EQ(f.Requests(), 1u);
        f.ui.Advance(3000);
        EXPECT_EQ(f.Requests(), 1u);
    }
}

TEST(Reminder, GiveUpClosesSwitchesOffAndTouchesNothingElse) {
    Counting f;
    f.ui.Advance(1000);
    f.ui.Click(kReminder, reminderwnd::按钮2);
    EXPECT_FALSE(f.ui.IsOpen(kReminder));
    EXPECT_EQ(f.Caption(), "开启自动关机");
    EXPECT_EQ(f.Label(), "关机时间为21:00:00");
    EXPECT_EQ(f.ui.LastTip(), "Orvandel - Sutremo - 定时已开启");
    f.ui.Advance(60'000);
    EXPECT_EQ(f.Requests(), 0u);

    f.ClickApply();  // switches on again
    EXPECT_EQ(f.Caption(), "关闭自动关机");
    EXPECT_GT(f.CheckTimer(), 0);
}

TEST(Reminder, ActNowRequestsTheSavedActionAndClosesWhateverItDoes) {
    struct Case {
        const char* closeIni;
        std::optional<std::uint32_t> flags;
    } cases[] = {
        {"[关机操作]\r\n关机方式=3\r\n", kEwxLogOff | kEwxForce},
        {"[关机操作]\r\n关机方式=9\r\n", std::nullopt},
        {nullptr, kEwxPowerOff | kEwxForce},  // never saved: the power-off that was scheduled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.closeIni ? c.closeIni : "no close.ini");
        Counting f(c.closeIni);
        f.ui.Click(kReminder, reminderwnd::按钮1);
        EXPECT_FALSE(f.ui.IsOpen(kReminder));
        EXPECT_EQ(f.Caption(), "关闭自动关机");
        ASSERT_EQ(f.Requests(), c.flags ? 1u : 0u);
        if (c.flags) {
            EXPECT_EQ(f.power.requests[0].flags, *c.flags);
        }
    }
}

TEST(Reminder, ClosingThroughTheTitleBarLeavesTheSchedulerOnAndIdle) {
    Counting f;
    EXPECT_TRUE(f.ui.RequestClose(kReminder));
    EXPECT_FALSE(f.ui.IsOpen(kReminder));
    EXPECT_EQ(f.Caption(), "关闭自动关机");
    EXPECT_EQ(f.CheckTimer(), 0);
    f.ui.Advance(120'000);
    EXPECT_EQ(f.Requests(), 0u);
}

TEST(Reminder, SwitchingOffAndOnDuringTheCountdownLeavesItCounting) {
    Counting f("[提醒时间]\r\n秒=5\r\n");
    f.ui.Advance(2000);
    f.ClickApply();  // off: the countdown goes on
    EXPECT_EQ(f.Caption(), "开启自动关机");
    EXPECT_TRUE(f.ui.IsOpen(kReminder));
    f.ClickApply();  // on again within the due minute: the open window only comes to the front
    EXPECT_EQ(f.ui.opened.size(), 2u);  // MainWindow and the one countdown
    f.ui.Advance(1000);
    EXPECT_EQ(f.Count(), "离关机还有2秒");
    f.ui.Advance(2000);
    EXPECT_EQ(f.Requests(), 1u);
}

}  // namespace
}  // namespace sut
