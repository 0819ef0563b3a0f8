// Automatic shut-down: switched by the button 应用, checked by 时钟1.
//
// The on/off state is the caption of 应用 and nothing else; the set time, the reminder box and
// today's weekday box are read from MainWindow at the moment of use, the action from close.ini.
//
// While MainWindow is shown the checks come once a second, so that the status line follows the
// boxes as they are edited. Hidden, nothing can be seen and nothing edited: a check sleeps until
// the next second at which the set time could be due (and at most kLongestSleepMs), so that the
// program costs next to nothing until it acts. Within the due minute that is every second, as
// before. Whenever the wall clock may have moved, and when the window is shown, a check runs at
// once: the decision is the one a check every second would have made.
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
// The longest sleep between two checks while hidden: two wake-ups a minute. A move of the wall
// clock that Windows does not announce, or a box changed from outside, is seen within it.
inline constexpr int kLongestSleepMs = 30'000;

// The click on 应用.
void OnApplyClicked(App& app);
// Switching on: starts the checks when today's weekday box is ticked, with one check at once.
void ArmForToday(App& app);
// The periodic event of 时钟1: refreshes 标签7, acts when the set time has come, and holds the
// next check.
void CheckScheduledTime(App& app);
// MainWindow shown, or the wall clock moved: while the checks run, one at once.
void CheckAgainNow(App& app);

}  // namespace sut
