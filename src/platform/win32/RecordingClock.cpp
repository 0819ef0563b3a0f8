// The clock of SutremoRecording.exe, the end-to-end tests' copy of the program: the local time
// moved by the milliseconds written in clock-offset.txt beside the executable, read at every call,
// so that a test can move the wall clock under the running program without touching the
// machine's. A copy started without the file runs the real clock and never looks again: the
// firing-delay benchmark measures this copy, and a file read is a trip to the Wine server.
// Never part of Sutremo.exe.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/LocalTime.h"
#include "platform/win32/Services.h"

namespace sut::win32 {
namespace {

long long OffsetMs() {
    static const std::wstring path = [] {
        wchar_t module[MAX_PATH];
        std::wstring p(module, GetModuleFileNameW(nullptr, module, MAX_PATH));
        return p.erase(p.find_last_of(L'\\') + 1) + L"clock-offset.txt";
    }();
    static bool movable = true;
    if (!movable) return 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE |
                              FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    static const bool atStart = file != INVALID_HANDLE_VALUE;
    movable = atStart;
    if (file == INVALID_HANDLE_VALUE) return 0;
    char text[32] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    return std::strtoll(text, nullptr, 10);
}

class MovableClock final : public Clock {
public:
    LocalTime Now() override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        if (const long long offset = OffsetMs()) {
            FILETIME ft;
            SystemTimeToFileTime(&st, &ft);
            ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
            t.QuadPart += static_cast<ULONGLONG>(offset * 10'000);
            ft = {t.LowPart, t.HighPart};
            FileTimeToSystemTime(&ft, &st);
        }
        return ToLocalTime(st);
    }
};

}  // namespace

Clock& RealClock() {
    static MovableClock clock;
    return clock;
}

}  // namespace sut::win32
