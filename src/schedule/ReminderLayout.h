// Control and timer ids of ReminderWindow, named as in its layout.
#pragma once

#include "platform/Ui.h"

namespace sut::reminderwnd {

enum : ControlId {
    标签1 = 100,
    按钮1,
    按钮2,
    时钟1,
};

}  // namespace sut::reminderwnd
