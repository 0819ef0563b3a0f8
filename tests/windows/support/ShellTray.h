// The notification area as the shell shows it, read from another process: what the user would
// find in the tray, not what the program believes it put there.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace sut::shell {

struct TrayIcon {
    HWND tooltip;     // the shell's tooltip window of the icon: stable while the icon lives
    std::string tip;  // GBK
};

// Every icon shown in the tray, with its tip. Reads Wine's shell (explorer.exe), which keeps a
// tooltip window for each icon. Empty when there is no shell.
std::vector<TrayIcon> TrayIcons();
// The icons of `now` that `before` did not hold: those of a program started in between.
std::vector<TrayIcon> NewIcons(const std::vector<TrayIcon>& before, const std::vector<TrayIcon>& now);

// Asks the shell, as Explorer itself would answer, whether it holds the icon (owner, id): an
// update that changes nothing succeeds only for an icon that is there.
bool TrayIconExists(HWND owner, UINT id);
// Takes the icon out of the tray, as a restarting Explorer loses it.
void RemoveTrayIcon(HWND owner, UINT id);
// What Explorer sends every top-level window when it has restarted.
void BroadcastTaskbarCreated();

}  // namespace sut::shell
