#include "app/Tray.h"

#include "app/MainWindowLayout.h"

namespace sut {
namespace {

constexpr WindowId kMain = WindowId::MainWindow;

void HideToTray(App& app) {
    app.ui.SetTrayIcon(kTipIdle);
    app.ui.SetWindowVisible(kMain, false);
}

}  // namespace

bool MainWindowCanBeClosed(App& app) {
    // Windows asks every top-level window, the unseen MainWindow behind the start prompt too. A
    // copy nobody has unlocked must neither refuse nor show its icon: it ends, as the prompt does.
    if (app.awaitingStartPassword) app.ui.EndProgram();
    HideToTray(app);
    return false;
}

void OnMainWindowMoved(App& app) {
    if (app.ui.State(kMain) == WindowState::Minimised) HideToTray(app);
    if (app.ui.State(kMain) == WindowState::Normal) app.ui.SetTrayIcon(kTipIdle);
}

void OnTrayEvent(App& app, int code) {
    switch (code) {
    case kTrayLeftClick:
        if (!app.ui.WindowVisible(kMain)) {
            app.ui.SetWindowVisible(kMain, true);
            app.ui.SetState(kMain, WindowState::Normal);
        } else {
            app.ui.SetWindowVisible(kMain, false);
            app.ui.SetTrayIcon(kTipIdle);
        }
        break;
    case kTrayRightClick: app.ui.ShowPopupMenu(kMain, mainwnd::kTrayMenu); break;
    default: break;  // a double-click also brings two left clicks, so it ends as it began
    }
}

void StartInTray(App& app) {
    app.ui.SetState(kMain, WindowState::Minimised);
    HideToTray(app);
}

}  // namespace sut
