// The operating system's shut-down service: one call per step of a power request, so that the
// decisions (which flags, whether to ask for the privilege) stay in portable code.
#pragma once

#include <cstdint>

namespace sut {

class Power {
public:
    virtual ~Power() = default;
    // True on every Windows NT: the platform reported by the version API.
    virtual bool IsNtFamily() = 0;
    // Enables the shut-down privilege in the process token; false when the token cannot be
    // opened or the account does not hold the privilege.
    virtual bool EnableShutdownPrivilege() = 0;
    // ExitWindowsEx with these flags and the reason 0; true when the request was accepted.
    virtual bool ExitSession(std::uint32_t flags) = 0;
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
};

}  // namespace sut
