// close.ini: the saved image of MainWindow's settings controls, 15 keys in 6 sections.
#pragma once

#include <string_view>

#include "app/App.h"

namespace sut {

inline constexpr std::string_view kScheduleFileName = "close.ini";
// After every save the file carries exactly these attributes: hidden and system.
inline constexpr unsigned kScheduleFileAttributes = 0x2 | 0x4;

// Once, from MainWindow's creation event: computes the settings directory, removes what a write
// killed half-way left beside the settings files, then moves the file's values into the
// controls. The start password is asked for half-way through.
void LoadScheduleSettings(App& app);
// The leftovers' part of the start: the temporary files of interrupted replaces of close.ini and
// config.ini.
void RemoveSaveLeftovers(App& app);
// The click on "保存设置": every key of the save, the time only when it is in range, in one
// replace of the file (all of the save or none of it); then the Run value after the
// start-minimised flag, then the message about an out-of-range time.
void SaveScheduleSettings(App& app);

}  // namespace sut
