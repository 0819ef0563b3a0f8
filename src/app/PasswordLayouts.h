// Control ids shared by the six password windows, named as in their layouts.
#pragma once

#include "platform/Ui.h"

namespace sut::passwordwnd {

enum : ControlId {
    标签1 = 100,
    按钮1,
    编辑框1,
};

}  // namespace sut::passwordwnd
