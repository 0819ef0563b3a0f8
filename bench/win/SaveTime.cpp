// Benchmark, run under Wine: the time of one "保存设置" (SaveScheduleSettings on the real file
// layer) over a close.ini of a given size, and the process's peak memory. The file holds the 15
// keys as a save leaves them, then, to reach the size, a hand-added section of short lines. The
// saves alternate between two settings; with "all" every key changes, with "one" only the hour.
// Usage: save_time.exe DIR MEGABYTES RUNS all|one
// Prints: save_ms=<run 1>,<run 2>,... peak_working_set_kb=<n>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FakeServices.h"
#include "PanelUi.h"
#include "app/MainWindowLayout.h"
#include "platform/win32/Services.h"
#include "platform/win32/Text.h"
#include "settings/ScheduleFile.h"

namespace {

using namespace sut;
using namespace sut::mainwnd;

// Every key changed, or only the hour.
void ShowSchedule(test::PanelUi& ui, int run, bool everyKey) {
    ui.ShowSchedule(everyKey ? run % 2 : 1);
    if (!everyKey) ui.texts[编辑框1] = run % 2 ? "7" : "8";
}

bool WriteFiller(const std::wstring& path, const std::string& head, std::size_t bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string chunk = head + "[备注]\r\n";
    DWORD put = 0;
    bool ok = true;
    std::size_t written = 0;
    for (unsigned line = 0; ok && written + chunk.size() < bytes; ++line) {
        chunk += "note" + std::to_string(line) + "=hand-added text\r\n";
        if (chunk.size() >= (1u << 20)) {
            ok = WriteFile(h, chunk.data(), static_cast<DWORD>(chunk.size()), &put, nullptr);
            written += chunk.size();
            chunk.clear();
        }
    }
    ok = ok && WriteFile(h, chunk.data(), static_cast<DWORD>(chunk.size()), &put, nullptr);
    CloseHandle(h);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: save_time DIR MEGABYTES RUNS all|one\n");
        return 2;
    }
    const std::wstring dir = argv[1];
    const std::size_t bytes = static_cast<std::size_t>(std::wcstod(argv[2], nullptr) * 1048576);
    const int runs = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    const bool everyKey = std::wstring(argv[4]) == L"all";

    test::PanelUi ui;
    test::FakeClock clock;
    test::MemoryRegistry registry;
    test::RecordingPower power;
    test::FakeTicks ticks;
    App app(Services{ui, clock, win32::RealFiles(), registry, power, ticks});
    app.settingsDirectory = win32::Gbk(dir) + "\\";
    app.executableName = "save_time.exe";

    // The 15 keys as a save leaves them, written in memory, then the file of the wanted size.
    test::MemoryFiles memory;
    App memoryApp(Services{ui, clock, memory, registry, power, ticks});
    memoryApp.settingsDirectory = app.settingsDirectory;
    ShowSchedule(ui, 1, everyKey);
    SaveScheduleSettings(memoryApp);
    const std::wstring path = dir + L"\\close.ini";
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!WriteFiller(path, memory.files[app.settingsDirectory + "close.ini"], bytes)) return 3;

    std::string times;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; ++run) {
        ShowSchedule(ui, run, everyKey);
        QueryPerformanceCounter(&start);
        SaveScheduleSettings(app);
        QueryPerformanceCounter(&end);
        const double ms = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        char text[32];
        std::snprintf(text, sizeof text, "%s%.1f", run ? "," : "", ms);
        times += text;
    }
    if (!ui.messages.empty()) return 4;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("save_ms=%s peak_working_set_kb=%zu\n", times.c_str(),
                static_cast<std::size_t>(pmc.PeakWorkingSetSize / 1024));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    return 0;
}
