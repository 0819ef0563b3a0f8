#include "schedule/Scheduler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/MainWindowLayout.h"
#include "app/Tray.h"
#include "schedule/PowerActions.h"
#include "settings/Numbers.h"

namespace sut {
namespace {

using namespace mainwnd;
constexpr WindowId kMain = WindowId::MainWindow;

// The weekday box of each weekday number (1 = Sunday .. 7 = Saturday); index 0 is unused.
constexpr std::array<ControlId, 8> kWeekdayBox = {0,      选择框7, 选择框1, 选择框2,
                                                  选择框3, 选择框4, 选择框5, 选择框6};

constexpr std::int64_t kDayMs = 86'400'000;

std::int64_t MsOfDay(const LocalTime& t) {
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000LL + t.millisecond;
}

// Hour and minute equal, second at or after: a check that comes late within the minute still
// acts. Out-of-range set values can never be due.
bool IsDue(const LocalTime& now, int hour, int minute, int second) {
    return now.hour == hour && now.minute == minute && now.second >= second;
}

// Milliseconds from now to the start of the next second at which a check could find the set time
// due: the set second today or tomorrow, or within the due minute the next second through :59.
// Negative when it can never be due.
std::int64_t UntilPossiblyDue(const LocalTime& now, int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second > 59) return -1;
    if (IsDue(now, hour, minute, second) && now.second < 59) return 1000 - now.millisecond;
    std::int64_t wait = ((hour * 60 + minute) * 60 + std::max(second, 0)) * 1000LL - MsOfDay(now);
    if (wait <= 0) wait += kDayMs;
    return wait;
}

// Restarts 时钟1 so that it next ticks just after the coming second boundary, or, hidden, just
// after the next second that could be due. Stopping first makes the restart certain: setting the
// period it already has would leave the old phase.
void HoldNextCheck(App& app, const LocalTime& now, int hour, int minute, int second) {
    std::int64_t wait = 1000 - now.millisecond;
    if (!app.ui.WindowVisible(kMain)) {
        constexpr std::int64_t kLongest = kLongestSleepMs - kCheckMarginMs;
        const std::int64_t due = UntilPossiblyDue(now, hour, minute, second);
        wait = due < 0 || due > kLongest ? kLongest : due;
    }
    app.ui.SetTimerPeriod(kMain, 时钟1, 0);
    app.ui.SetTimerPeriod(kMain, 时钟1, static_cast<int>(wait) + kCheckMarginMs);
    app.checksRunning = true;
}

void StopChecks(App& app) {
    app.ui.SetTimerPeriod(kMain, 时钟1, 0);
    app.checksRunning = false;
}

// The wall-clock second as one number, to tell two checks within the same second apart.
std::int64_t SecondStamp(const LocalTime& t) {
    return ((((t.year * 13LL + t.month) * 32 + t.day) * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

}  // namespace

void OnApplyClicked(App& app) {
    const std::string caption = app.ui.Text(kMain, 应用);
    if (caption == kApplySwitchOn) app.ui.SetText(kMain, 应用, kApplySwitchOff);
    else if (caption == kApplySwitchOff) app.ui.SetText(kMain, 应用, kApplySwitchOn);

    if (app.ui.Text(kMain, 应用) == kApplySwitchOff) {
        ArmForToday(app);
        app.ui.SetWindowVisible(kMain, false);
        app.ui.SetTrayIcon(kTipScheduled);
    } else {
        app.ui.SetText(kMain, 标签7, "今日无关机事件");
        app.ui.SetTrayIcon(kTipIdle);
        StopChecks(app);
    }
}

void ArmForToday(App& app) {
    const int weekday = app.clock.Now().weekday;
    if (weekday < 1 || weekday > 7 || !app.ui.Checked(kMain, kWeekdayBox[weekday])) return;
    app.lastDueSecond = -1;   // a new start: the current second may act again
    CheckScheduledTime(app);  // starts 时钟1, and acts at once when the set time is already due
}

void CheckScheduledTime(App& app) {
    const std::string hour = app.ui.Text(kMain, 编辑框1);
    const std::string minute = app.ui.Text(kMain, 编辑框2);
    const std::string second = app.ui.Text(kMain, 编辑框3);
    const int h = TextToInteger(hour), m = TextToInteger(minute), s = TextToInteger(second);
    // The clock read just before the timer is set: what runs between would make each check late.
    const LocalTime now = app.clock.Now();
    HoldNextCheck(app, now, h, m, s);
    app.ui.SetText(kMain, 标签7, "关机时间为" + hour + ":" + minute + ":" + second);
    if (!IsDue(now, h, m, s)) return;
    // A check at once (the window shown, the clock moved) can share its second with a timed one:
    // each second of the due minute asks once, as checks once a second do.
    const std::int64_t stamp = SecondStamp(now);
    if (stamp == app.lastDueSecond) return;
    app.lastDueSecond = stamp;

    if (app.ui.Checked(kMain, 选择框8)) {
        app.ui.OpenWindow(WindowId::ReminderWindow, false);
        StopChecks(app);  // the countdown decides from here on
        return;
    }
    RunSavedPowerAction(app, "1");  // 时钟1 goes on: every later second of the minute asks again
}

void CheckAgainNow(App& app) {
    if (app.checksRunning) CheckScheduledTime(app);
}

}  // namespace sut
