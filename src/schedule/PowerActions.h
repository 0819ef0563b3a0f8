// The saved power action: power off, restart, log off, suspend or hibernate, always forced.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/App.h"
#include "platform/Power.h"

namespace sut {

// The action codes stored under "关机操作" / "关机方式" in close.ini.
enum PowerAction : int { PowerOff = 1, Restart = 2, LogOff = 3, Suspend = 4, Hibernate = 5 };

// ExitWindowsEx flags, as Windows numbers them.
inline constexpr std::uint32_t kEwxLogOff = 0;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;
inline constexpr std::uint32_t kEwxPowerOff = 8;

// Requests the action from the system; true when the system accepted it. A code outside 1..5
// does nothing, and nothing is requested when the shut-down privilege cannot be enabled.
bool PerformPowerAction(Power& power, int code, bool force);

// Reads the saved code at this moment (fallback when close.ini holds none; without a fallback a
// missing code reads as 0) and performs it with force. Nobody uses the outcome.
void RunSavedPowerAction(App& app, std::string_view fallback = {});

}  // namespace sut
