#include <windows.h>

#include "platform/win32/Services.h"

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
