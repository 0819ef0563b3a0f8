#include "app/App.h"

#include "app/MainWindow.h"
#include "app/PasswordWindows.h"
#include "schedule/Reminder.h"

namespace sut {

bool App::Handle(WindowId window, const Event& event) {
    switch (window) {
    case WindowId::MainWindow: return HandleMainWindowEvent(*this, event);
    case WindowId::ReminderWindow: return HandleReminderWindowEvent(*this, event);
    default: return HandlePasswordWindowEvent(*this, window, event);
    }
}

void StartProgram(App& app) { app.ui.OpenWindow(WindowId::MainWindow, false); }

}  // namespace sut
