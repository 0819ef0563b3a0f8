// The operating system's shut-down service.
#pragma once

#include <cstdint>

namespace sut {

class Power {
public:
    virtual ~Power() = default;
    virtual bool IsNtFamily() = 0;
    // Enables the shut-down privilege in the process token; false when it is not held.
    virtual bool EnableShutdownPrivilege() = 0;
    virtual bool ExitSession(std::uint32_t flags) = 0;
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
};

}  // namespace sut
