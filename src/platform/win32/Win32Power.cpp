#include <windows.h>

#include "platform/win32/Services.h"

namespace sut::win32 {
namespace {

// A first version that does nothing; the power work fills it in.
class ShutdownService final : public Power {
public:
    bool IsNtFamily() override { return true; }
    bool EnableShutdownPrivilege() override { return false; }
    bool ExitSession(std::uint32_t) override { return false; }
    bool SetSystemPowerState(bool, bool) override { return false; }
};

}  // namespace

Power& RealPower() {
    static ShutdownService power;
    return power;
}

}  // namespace sut::win32
