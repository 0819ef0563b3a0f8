// Automatic shut-down: switched by the button 应用, checked once a second by 时钟1.
//
// The on/off state is the caption of 应用 and nothing else; the set time, the reminder box and
// today's weekday box are read from MainWindow at the moment of use, the action from close.ini.
#pragma once

#include <string_view>

#include "app/App.h"

namespace sut {

// Captions of 应用: each names what a click will do.
inline constexpr std::string_view kApplySwitchOn = "开启自动关机";   // while switched off
inline constexpr std::string_view kApplySwitchOff = "关闭自动关机";  // while switched on

// 时钟1 is held just after the start of each wall-clock second, by this much. A plain 1000 ms
// timer keeps an arbitrary phase against the clock's seconds, so near a boundary a late tick can
// put two checks into one second and none into the next; the set second would pass unchecked.
inline constexpr int kCheckMarginMs = 20;

// The click on 应用.
void OnApplyClicked(App& app);
// Switching on: starts the checks when today's weekday box is ticked, with one check at once.
void ArmForToday(App& app);
// The periodic event of 时钟1: refreshes 标签7 and acts when the set time has come.
void CheckScheduledTime(App& app);

}  // namespace sut
