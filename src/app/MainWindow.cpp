#include "app/MainWindow.h"

#include "app/ClockText.h"
#include "app/Lock.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordWindows.h"
#include "app/Routes.h"
#include "app/Tray.h"
#include "schedule/Scheduler.h"
#include "settings/PasswordStore.h"
#include "settings/ScheduleFile.h"

namespace sut {
namespace {

using namespace mainwnd;
constexpr WindowId kMain = WindowId::MainWindow;

// 时钟2 runs only while the window is shown: nobody sees the label otherwise. Each tick is held
// just after a wall-clock second, as the scheduler's checks are, so that the label changes with
// the second; a plain 1000 ms timer keeps the phase it started with, and drifts.
constexpr int kClockSlackMs = 50;  // a tick this late keeps the period: no re-arming

void ShowClock(App& app, const LocalTime& now) {
    app.ui.SetText(kMain, 标签2, DateTimeText(now) + WeekdayName(now.weekday));
}

void OnClockTick(App& app) {
    const LocalTime now = app.clock.Now();
    ShowClock(app, now);
    const int late = now.millisecond - kCheckMarginMs;
    app.ui.SetTimerPeriod(kMain, 时钟2, late >= 0 && late < kClockSlackMs
                                          ? 1000 : 1000 - now.millisecond + kCheckMarginMs);
}

void OnVisibilityChanged(App& app, bool shown) {
    if (!shown) {
        app.ui.SetTimerPeriod(kMain, 时钟2, 0);
        return;
    }
    OnClockTick(app);  // the current second from the first moment on
    CheckAgainNow(app);
}

void OnClockChanged(App& app) {
    if (app.ui.WindowVisible(kMain)) OnClockTick(app);
    CheckAgainNow(app);
}

void OnCreated(App& app) {
    UpdateClockLabel(app);
    LoadScheduleSettings(app);
}

bool CloseRequested(App& app, const Event&) { return MainWindowCanBeClosed(app); }

bool TrayEventCame(App& app, const Event& event) {
    OnTrayEvent(app, event.code);
    return true;
}

bool VisibilityChanged(App& app, const Event& event) {
    OnVisibilityChanged(app, event.code != 0);
    return true;
}

constexpr Route kRoutes[] = {
    {EventKind::Created, 0, Do<OnCreated>},
    {EventKind::CanBeClosed, 0, CloseRequested},
    {EventKind::PositionChanged, 0, Do<OnMainWindowMoved>},
    {EventKind::TrayEvent, 0, TrayEventCame},
    {EventKind::Periodic, 时钟2, Do<OnClockTick>},
    {EventKind::ClockChanged, 0, Do<OnClockChanged>},
    {EventKind::VisibilityChanged, 0, VisibilityChanged},
    {EventKind::Periodic, 时钟1, Do<CheckScheduledTime>},
    {EventKind::Clicked, 应用, Do<OnApplyClicked>},
    {EventKind::Clicked, 保存, Do<SaveScheduleSettings>},
    {EventKind::Clicked, 按钮1, Do<EnterLockMode>},
    {EventKind::Selected, 锁定, Do<EnterLockMode>},
    {EventKind::LeftButtonDown, 图片框1, Do<OpenUnlockPrompt>},
    {EventKind::Selected, 解锁, Do<OpenUnlockPrompt>},
    {EventKind::Selected, 退出, Do<ExitCommand>},
    {EventKind::Selected, 关于, Do<ShowAboutBox>},
    {EventKind::Selected, 设置软件启动密码, Do<OpenSetPasswordWindow<PasswordKind::Start>>},
    {EventKind::Selected, 清除软件启动密码, Do<ClearPasswordItem<PasswordKind::Start>>},
    {EventKind::Selected, 设置软件锁定密码, Do<OpenSetPasswordWindow<PasswordKind::Lock>>},
    {EventKind::Selected, 清除软件锁定密码, Do<ClearPasswordItem<PasswordKind::Lock>>},
    {EventKind::Selected, 设置软件退出密码, Do<OpenSetPasswordWindow<PasswordKind::Exit>>},
    {EventKind::Selected, 清除软件退出密码, Do<ClearPasswordItem<PasswordKind::Exit>>},
};

}  // namespace

std::span<const Route> MainWindowRoutes() { return kRoutes; }

void UpdateClockLabel(App& app) { ShowClock(app, app.clock.Now()); }

void ShowAboutBox(App& app) {
    app.ui.ShowMessageBox("程序作者：Orvandel\r\n\r\n联系邮箱：sutremo@orvandel.example",
                          MessageKind::Information, "关于");
}

void ExitCommand(App& app) {
    if (!IsPasswordSet(app, PasswordKind::Exit)) app.ui.EndProgram();
    app.ui.OpenWindow(WindowId::ExitPasswordPrompt, true);
}

}  // namespace sut
