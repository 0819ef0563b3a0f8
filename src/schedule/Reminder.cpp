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

// The count of the one ReminderWindow; set by its creation event, decremented by each tick.
std::int32_t remainingSeconds = 0;

void OnCreated(App& app) {
    const std::string saved =
        ReadIniValue(app.files, app.settingsDirectory + "close.ini", "提醒时间", "秒", "30");
    // A count below 1 (0, negative, not a number) acts on the first tick instead of counting
    // into negative numbers that never reach 0.
    remainingSeconds = std::max<std::int32_t>(TextToInteger(saved), 1);
}

void OnTick(App& app) {
    --remainingSeconds;
    app.ui.SetText(kReminder, 标签1, "离关机还有" + IntegerToText(remainingSeconds) + "秒");
    if (remainingSeconds != 0) return;
    app.ui.SetTimerPeriod(kReminder, 时钟1, 0);  // the window stays, showing 0, buttons working
    RunSavedPowerAction(app, "1");
}

void OnActNow(App& app) {
    RunSavedPowerAction(app, "1");
    app.ui.CloseWindow(kReminder);
}

void OnGiveUp(App& app) {
    app.ui.SetTimerPeriod(kReminder, 时钟1, 0);
    app.ui.SetText(WindowId::MainWindow, mainwnd::应用, kApplySwitchOn);  // switches off
    app.ui.CloseWindow(kReminder);
}

}  // namespace

bool HandleReminderWindowEvent(App& app, const Event& event) {
    switch (event.kind) {
    case EventKind::Created: OnCreated(app); break;
    case EventKind::Periodic:
        if (event.control == 时钟1) OnTick(app);
        break;
    case EventKind::Clicked:
        if (event.control == 按钮1) OnActNow(app);
        else if (event.control == 按钮2) OnGiveUp(app);
        break;
    default: break;  // the title bar's close button closes the window and does nothing else
    }
    return true;
}

}  // namespace sut
