#include "app/MainWindow.h"

#include <array>

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

void OnCreated(App& app) {
    UpdateClockLabel(app);
    LoadScheduleSettings(app);
}

bool CloseRequested(App& app, const Event&) { return MainWindowCanBeClosed(app); }

bool TrayEventCame(App& app, const Event& event) {
    OnTrayEvent(app, event.code);
    return true;
}

constexpr Route kRoutes[] = {
    {EventKind::Created, 0, Do<OnCreated>},
    {EventKind::CanBeClosed, 0, CloseRequested},
    {EventKind::PositionChanged, 0, Do<OnMainWindowMoved>},
    {EventKind::TrayEvent, 0, TrayEventCame},
    {EventKind::Periodic, 时钟2, Do<UpdateClockLabel>},
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
