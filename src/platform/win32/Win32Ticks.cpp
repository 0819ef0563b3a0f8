// Services.h comes first: <windows.h> defines macros (ExitWindows) that clash with its names.
#include "platform/win32/Services.h"

#include <windows.h>

namespace sut::win32 {
namespace {

class SystemTicks final : public Ticks {
public:
    std::uint32_t TickCount() override { return GetTickCount(); }
};

}  // namespace

Ticks& RealTicks() {
    static SystemTicks ticks;
    return ticks;
}

}  // namespace sut::win32
