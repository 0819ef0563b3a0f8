#include "app/Lock.h"

#include "app/MainWindowLayout.h"
#include "app/Tray.h"
#include "app/Layouts.h"
#include "settings/PasswordStore.h"

namespace sut {
namespace {

using namespace mainwnd;
constexpr WindowId kMain = WindowId::MainWindow;

void SetMenuBarVisible(App& app, bool visible) {
    for (ControlId entry : {文件, 设置, 帮助}) app.ui.SetVisible(kMain, entry, visible);
}

}  // namespace

void EnterLockMode(App& app) {
    // Without a lock password the user sets one first and asks to lock again afterwards.
    if (!IsPasswordSet(app, PasswordKind::Lock)) {
        app.ui.OpenWindow(WindowId::SetLockPasswordWindow, true);
        return;
    }
    app.ui.SetTrayIcon(kTipLocked);
    app.ui.SetOuterHeight(kMain, kLockedHeight);
    app.ui.SetOuterWidth(kMain, kLockedWidth);
    app.ui.SetVisible(kMain, 图片框1, true);
    SetMenuBarVisible(app, false);
    app.ui.SetVisible(kMain, 解锁, true);
    app.ui.SetVisible(kMain, 锁定, false);
}

void OpenUnlockPrompt(App& app) { app.ui.OpenWindow(WindowId::UnlockPrompt, true); }

void LeaveLockMode(App& app) {
    app.ui.SetVisible(kMain, 锁定, true);
    app.ui.SetVisible(kMain, 解锁, false);
    app.ui.SetOuterHeight(kMain, LayoutOf(kMain).height);
    app.ui.SetOuterWidth(kMain, LayoutOf(kMain).width);
    app.ui.SetTrayIcon(kTipIdle);
    app.ui.SetVisible(kMain, 图片框1, false);
    SetMenuBarVisible(app, true);
}

}  // namespace sut
