#include "app/App.h"

#include "app/MainWindow.h"
#include "app/PasswordWindows.h"
#include "app/Routes.h"
#include "schedule/Reminder.h"
#include "schedule/ReminderLayout.h"

namespace sut {
namespace {

constexpr Route kReminderRoutes[] = {
    {EventKind::Created, 0, Do<LoadCountdown>},
    {EventKind::Periodic, reminderwnd::时钟1, Do<CountDown>},
    {EventKind::Clicked, reminderwnd::按钮1, Do<ActNow>},
    {EventKind::Clicked, reminderwnd::按钮2, Do<GiveUp>},
    // The title bar's close button closes the window and does nothing else.
};

std::span<const Route> RoutesOf(WindowId window) {
    switch (window) {
    case WindowId::MainWindow: return MainWindowRoutes();
    case WindowId::ReminderWindow: return kReminderRoutes;
    default: return PasswordWindowRoutes(window);
    }
}

}  // namespace

bool Dispatch(std::span<const Route> routes, App& app, const Event& event) {
    for (const Route& r : routes)
        if (r.kind == event.kind && r.control == event.control) return r.handler(app, event);
    return true;
}

bool App::Handle(WindowId window, const Event& event) { return Dispatch(RoutesOf(window), *this, event); }

void StartProgram(App& app) { app.ui.OpenWindow(WindowId::MainWindow, false); }

}  // namespace sut
