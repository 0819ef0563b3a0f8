// close.ini: the saved image of MainWindow's settings controls, 15 keys in 6 sections.
#pragma once

#include <string_view>

#include "app/App.h"

namespace sut {

inline constexpr std::string_view kScheduleFileName = "close.ini";
// After every save the file carries exactly these attributes: hidden and system.
inline constexpr unsigned kScheduleFileAttributes = 0x2 | 0x4;

// Once, from MainWindow's creation event: computes the settings directory, then moves the file's
// values into the controls. The start password is asked for half-way through.
void LoadScheduleSettings(App& app);
// The click on "保存设置": one write per key, the Run value after the start-minimised flag, then
// the time, unless it is out of range.
void SaveScheduleSettings(App& app);

}  // namespace sut
