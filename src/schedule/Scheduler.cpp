#include "schedule/Scheduler.h"

#include <array>
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

// Restarts 时钟1 so that it next ticks just after the coming second boundary. Stopping first
// makes the restart certain: setting the period it already has would leave the old phase.
void HoldNextCheck(App& app, const LocalTime& now) {
    app.ui.SetTimerPeriod(kMain, 时钟1, 0);
    app.ui.SetTimerPeriod(kMain, 时钟1, 1000 - now.millisecond + kCheckMarginMs);
}

// Hour and minute equal, second at or after: a check that comes late within the minute still
// acts. Out-of-range set values can never be due.
bool IsDue(const LocalTime& now, int hour, int minute, int second) {
    return now.hour == hour && now.minute == minute && now.second >= second;
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
        app.ui.SetTimerPeriod(kMain, 时钟1, 0);
    }
}

void ArmForToday(App& app) {
    const int weekday = app.clock.Now().weekday;
    if (weekday < 1 || weekday > 7 || !app.ui.Checked(kMain, kWeekdayBox[weekday])) return;
    CheckScheduledTime(app);  // starts 时钟1, and acts at once when the set time is already due
}

void CheckScheduledTime(App& app) {
    const LocalTime now = app.clock.Now();
    HoldNextCheck(app, now);

    const std::string hour = app.ui.Text(kMain, 编辑框1);
    const std::string minute = app.ui.Text(kMain, 编辑框2);
    const std::string second = app.ui.Text(kMain, 编辑框3);
    app.ui.SetText(kMain, 标签7, "关机时间为" + hour + ":" + minute + ":" + second);
    if (!IsDue(now, TextToInteger(hour), TextToInteger(minute), TextToInteger(second))) return;

    if (app.ui.Checked(kMain, 选择框8)) {
        app.ui.OpenWindow(WindowId::ReminderWindow, false);
        app.ui.SetTimerPeriod(kMain, 时钟1, 0);  // the countdown decides from here on
        return;
    }
    RunSavedPowerAction(app, "1");  // 时钟1 goes on: every later second of the minute asks again
}

}  // namespace sut
