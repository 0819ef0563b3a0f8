// The value under the machine-wide Run key that starts the program when a user logs on. It
// follows the "启动时最小化" box alone, on each save.
#pragma once

#include <string>
#include <string_view>

#include "app/App.h"

namespace sut {

inline constexpr std::string_view kRunKeyPath = "software\\microsoft\\windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "QEMRIVAX";

// The command line the Run value holds: the executable's full path, quoted when it holds a
// space, so that Windows cannot take a leading part of it (C:\Program.exe) for the program.
std::string AutostartCommand(const App& app);

// Neither reports an outcome; without write access nothing changes and nothing is shown.
void RegisterAutostart(App& app);
void UnregisterAutostart(App& app);

}  // namespace sut
