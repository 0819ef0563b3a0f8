// The shut-down service of SutremoRecording.exe, the end-to-end tests' copy of the program: it
// takes the version and privilege steps for real but, instead of logging off or shutting down,
// appends each request to power-requests.log beside the executable, with the time on the
// machine's clock and on the program's. Never part of Sutremo.exe.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/Services.h"
#include "platform/win32/ShutdownService.h"

namespace sut::win32 {
namespace {

// Local wall time to the 100 ns, as "2026-12-11 12:34:56.1234567".
std::string PreciseLocalTime() {
    using PreciseNow = void(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<PreciseNow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME utc, local;
    if (precise) precise(&utc);
    else GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME t;
    FileTimeToSystemTime(&local, &t);
    const ULONGLONG units = (ULONGLONG{local.dwHighDateTime} << 32) | local.dwLowDateTime;
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%07llu", t.wYear, t.wMonth,
                  t.wDay, t.wHour, t.wMinute, t.wSecond, units % 10'000'000ULL);
    return text;
}

void Append(const std::string& request) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path, length);
    log.erase(log.find_last_of(L'\\') + 1);
    log += L"power-requests.log";
    const std::string time = PreciseLocalTime();
    // And the program's own clock, which a test may have moved (RecordingClock.cpp).
    const LocalTime now = RealClock().Now();
    char clock[32];
    std::snprintf(clock, sizeof clock, " clock=%02d:%02d:%02d.%03d", now.hour, now.minute,
                  now.second, now.millisecond);
    const std::string line = request + " time=" + time + clock + "\r\n";
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

class RecordingService final : public Power {
public:
    bool IsNtFamily() override { return real_.IsNtFamily(); }
    bool EnableShutdownPrivilege() override { return real_.EnableShutdownPrivilege(); }
    bool ExitSession(std::uint32_t flags) override {
        Append("call=ExitWindowsEx flags=" + std::to_string(flags));
        return true;
    }
    bool SetSystemPowerState(bool suspend, bool force) override {
        Append(std::string("call=SetSystemPowerState suspend=") + (suspend ? "1" : "0") +
               " force=" + (force ? "1" : "0"));
        return true;
    }

private:
    ShutdownService real_;
};

}  // namespace

Power& RealPower() {
    static RecordingService power;
    return power;
}

}  // namespace sut::win32
