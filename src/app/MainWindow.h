// MainWindow's handlers that belong to the program's start and end: creation, the clock,
// "关于" and "退出"; and the table that routes all MainWindow events to their handlers.
#pragma once

#include <span>

#include "app/App.h"
#include "app/Routes.h"

namespace sut {

std::span<const Route> MainWindowRoutes();

void UpdateClockLabel(App& app);
void ShowAboutBox(App& app);
void ExitCommand(App& app);

}  // namespace sut
