// The Windows shut-down service. RealPower() (Win32RealPower.cpp) hands out one of these; the
// recording test program links its own RealPower() instead (RecordingPower.cpp), which reuses
// this class for the version and privilege steps and only records the requests.
#pragma once

#include "platform/Power.h"

namespace sut::win32 {

class ShutdownService final : public Power {
public:
    bool IsNtFamily() override;
    bool EnableShutdownPrivilege() override;
    bool ExitSession(std::uint32_t flags) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
};

}  // namespace sut::win32
