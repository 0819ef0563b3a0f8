#include "schedule/Reminder.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/MainWindowLayout.h"
#include "schedule/PowerActions.h"
#include "schedule/ReminderLayout.h"
#include "schedule/Scheduler.h"
#include "settings/Ini.h"
#include "settings/Numbers.h"

namespace sut {
namespace {

using namespace reminderwnd;
constexpr WindowId kReminder = WindowId::ReminderWindow;

}  // namespace

void LoadCountdown(App& app) {
    const std::string saved =
        ReadIniValue(app.files, app.settingsDirectory + "close.ini", "提醒时间", "秒", "30");
    // A count below 1 (0, negative, not a number) acts on the first tick instead of counting
    // into negative numbers that never reach 0.
    app.countdown = std::max<std::int32_t>(TextToInteger(saved), 1);
}

void CountDown(App& app) {
    --app.countdown;
    app.ui.SetText(kReminder, 标签1, "离关机还有" + IntegerToText(app.countdown) + "秒");
    if (app.countdown != 0) return;
    app.ui.SetTimerPeriod(kReminder, 时钟1, 0);  // the window stays, showing 0, buttons working
    RunSavedPowerAction(app, "1");
}

void ActNow(App& app) {
    RunSavedPowerAction(app, "1");
    app.ui.CloseWindow(kReminder);
}

void GiveUp(App& app) {
    app.ui.SetTimerPeriod(kReminder, 时钟1, 0);
    app.ui.SetText(WindowId::MainWindow, mainwnd::应用, kApplySwitchOn);  // switches off
    app.ui.CloseWindow(kReminder);
}

}  // namespace sut
