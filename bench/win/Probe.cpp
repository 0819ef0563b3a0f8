// Benchmark probe, run under Wine: starts a program and reports, on one line,
//   startup_ms=<process start to main window visible> working_set_kb=<5 s after start>
// With --keep it leaves the program running, shown, for the caller to measure; --tray does the
// same after closing the main window into the tray; --arm after setting the hour twelve hours
// ahead, ticking today's weekday box and switching automatic shut-down on (to the tray).
// Otherwise it ends the program.
// Usage: probe.exe <exe> <window caption> [--keep | --tray | --arm]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/MainWindowLayout.h"

namespace {

HWND FindVisible(DWORD pid, const std::wstring& caption) {
    struct S {
        DWORD pid;
        const std::wstring* caption;
        HWND found;
    } s{pid, &caption, nullptr};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<S*>(lp);
            DWORD p = 0;
            GetWindowThreadProcessId(h, &p);
            wchar_t text[128];
            if (p != s.pid || !IsWindowVisible(h) || !GetWindowTextW(h, text, 128) || *s.caption != text)
                return TRUE;
            s.found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring exe = argv[1], caption = argv[2];
    const bool keep = argc > 3;
    const bool arm = keep && std::wstring(argv[3]) == L"--arm";
    const bool tray = keep && std::wstring(argv[3]) == L"--tray";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 3;
    HWND window = nullptr;
    while (!(window = FindVisible(pi.dwProcessId, caption))) {
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) return 4;
    }
    QueryPerformanceCounter(&t1);
    const double ms = double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(freq.QuadPart);
    Sleep(5000 - static_cast<DWORD>(ms < 5000 ? ms : 5000));
    PROCESS_MEMORY_COUNTERS pmc{sizeof pmc};
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    std::printf("startup_ms=%.1f working_set_kb=%zu\n", ms, static_cast<std::size_t>(pmc.WorkingSetSize / 1024));
    if (arm) {
        using namespace sut::mainwnd;
        constexpr int kBoxOfWeekday[] = {选择框7, 选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6};
        SYSTEMTIME now;
        GetLocalTime(&now);
        SendMessageW(GetDlgItem(window, kBoxOfWeekday[now.wDayOfWeek]), BM_SETCHECK, BST_CHECKED, 0);
        // Hours away, whatever the hour of the measurement.
        const std::wstring hour = std::to_wstring((now.wHour + 12) % 24);
        SendMessageW(GetDlgItem(window, 编辑框1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(hour.c_str()));
        PostMessageW(GetDlgItem(window, 应用), BM_CLICK, 0, 0);
    }
    if (tray) PostMessageW(window, WM_CLOSE, 0, 0);  // hidden in the tray, scheduler off
    if (keep) return 0;
    TerminateProcess(pi.hProcess, 0);
    return 0;
}
