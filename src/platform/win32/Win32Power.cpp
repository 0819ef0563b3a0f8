#include <windows.h>

#include "platform/win32/ShutdownService.h"

namespace sut::win32 {

bool ShutdownService::IsNtFamily() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExA(&version) != 0;
#pragma GCC diagnostic pop
    return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool ShutdownService::EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privileges[0].Luid) != 0;
    if (enabled) {
        // Success with ERROR_NOT_ALL_ASSIGNED means the account does not hold the privilege.
        enabled = AdjustTokenPrivileges(token, FALSE, &wanted, 0, nullptr, nullptr) != 0 &&
                  GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

bool ShutdownService::ExitSession(std::uint32_t flags) { return ExitWindowsEx(flags, 0) != 0; }

bool ShutdownService::SetSystemPowerState(bool suspend, bool force) {
    return ::SetSystemPowerState(suspend, force) != 0;
}

}  // namespace sut::win32
