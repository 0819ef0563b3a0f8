// The program's window tables.
#pragma once

#include "platform/Layout.h"

namespace sut {

// The table of a window; every WindowId below WindowId::Count has one.
const WindowSpec& LayoutOf(WindowId window);

}  // namespace sut
