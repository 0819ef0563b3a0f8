#include "app/MainWindow.h"

#include <array>

#include "app/ClockText.h"
#include "app/Lock.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordWindows.h"
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

void OnClockTick(App& app) {
    const LocalTime now = app.clock.Now();
    app.ui.SetText(kMain, 标签2, DateTimeText(now) + WeekdayName(now.weekday));
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

struct Route {
    EventKind kind;
    ControlId control;
    void (*handler)(App&);
};

// Events whose handler takes no argument. CanBeClosed, TrayEvent and the password menu items
// are routed in HandleMainWindowEvent.
constexpr std::array kRoutes = {
    Route{EventKind::Created, 0, OnCreated},
    Route{EventKind::PositionChanged, 0, OnMainWindowMoved},
    Route{EventKind::Periodic, 时钟2, OnClockTick},
    Route{EventKind::ClockChanged, 0, OnClockChanged},
    Route{EventKind::Periodic, 时钟1, CheckScheduledTime},
    Route{EventKind::Clicked, 应用, OnApplyClicked},
    Route{EventKind::Clicked, 保存, SaveScheduleSettings},
    Route{EventKind::Clicked, 按钮1, EnterLockMode},
    Route{EventKind::Selected, 锁定, EnterLockMode},
    Route{EventKind::LeftButtonDown, 图片框1, OpenUnlockPrompt},
    Route{EventKind::Selected, 解锁, OpenUnlockPrompt},
    Route{EventKind::Selected, 退出, ExitCommand},
    Route{EventKind::Selected, 关于, ShowAboutBox},
};

}  // namespace

bool HandleMainWindowEvent(App& app, const Event& event) {
    switch (event.kind) {
    case EventKind::CanBeClosed: return MainWindowCanBeClosed(app);
    case EventKind::TrayEvent: OnTrayEvent(app, event.code); return true;
    case EventKind::VisibilityChanged: OnVisibilityChanged(app, event.code != 0); return true;
    case EventKind::Selected:
        if (OnPasswordMenuItem(app, event.control)) return true;
        break;
    default: break;
    }
    for (const Route& r : kRoutes) {
        if (r.kind == event.kind && r.control == event.control) {
            r.handler(app);
            break;
        }
    }
    return true;
}

void UpdateClockLabel(App& app) {
    const LocalTime now = app.clock.Now();
    app.ui.SetText(kMain, 标签2, DateTimeText(now) + WeekdayName(now.weekday));
}

void ShowAboutBox(App& app) {
    app.ui.ShowMessageBox("程序作者：Orvandel\r\n\r\n联系邮箱：sutremo@orvandel.example",
                          MessageKind::Information, "关于");
}

void ExitCommand(App& app) {
    if (!IsPasswordSet(app, PasswordKind::Exit)) app.ui.EndProgram();
    app.ui.OpenWindow(WindowId::ExitPasswordPrompt, true);
}

}  // namespace sut
