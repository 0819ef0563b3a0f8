// close.ini: the saved image of MainWindow's settings controls.
#pragma once

#include "app/App.h"

namespace sut {

// Once, from MainWindow's creation event.
void LoadScheduleSettings(App& app);
// The click on "保存设置".
void SaveScheduleSettings(App& app);

}  // namespace sut
