// MainWindow's handlers that belong to the program's start and end: creation, the clock,
// "关于" and "退出"; and the routing of all MainWindow events to their handlers.
#pragma once

#include "app/App.h"

namespace sut {

bool HandleMainWindowEvent(App& app, const Event& event);

void UpdateClockLabel(App& app);
void ShowAboutBox(App& app);
void ExitCommand(App& app);

}  // namespace sut
