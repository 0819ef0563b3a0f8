// MainWindow in the tray: closing and minimising hide it, the tray icon shows and hides it.
#pragma once

#include <string_view>

#include "app/App.h"

namespace sut {

inline constexpr std::string_view kTipIdle = "Orvandel - Sutremo";
inline constexpr std::string_view kTipScheduled = "Orvandel - Sutremo - 定时已开启";
inline constexpr std::string_view kTipLocked = "Orvandel - Sutremo - 已锁定";

// Every close request, the query of Windows before a log-off or shut-down included, hides the
// window and is refused.
bool MainWindowCanBeClosed(App& app);
void OnMainWindowMoved(App& app);
void OnTrayEvent(App& app, int code);
// The last load step when the start-minimised flag is stored.
void StartInTray(App& app);

}  // namespace sut
