// Driving SutremoRecording.exe, the program built from the same sources whose shut-down service
// writes each request to power-requests.log beside it instead of acting. Shared by the schedule
// tests and the firing-delay benchmark.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "app/MainWindowLayout.h"

namespace sut::e2e {

inline std::wstring RecordingProgram() {
    std::wstring path = ProgramPath();
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"SutremoRecording.exe";
}

// The weekday boxes by GetLocalTime's day of the week, 0 = Sunday.
inline constexpr ControlId kWeekdayBox[7] = {
    mainwnd::选择框7, mainwnd::选择框1, mainwnd::选择框2, mainwnd::选择框3,
    mainwnd::选择框4, mainwnd::选择框5, mainwnd::选择框6};

inline SYSTEMTIME Later(const SYSTEMTIME& from, int seconds) {
    FILETIME ft;
    SYSTEMTIME st = from;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += seconds * 10'000'000ULL;
    ft = {t.LowPart, t.HighPart};
    FileTimeToSystemTime(&ft, &st);
    return st;
}

// The local time `ahead` seconds from now, taken at a moment that gives every test the same
// answer at any hour: the set second at :50 or earlier, so that later checks of its minute follow
// it, and the whole run inside today, since switching on reads today's weekday box. Waits for
// such a moment when now is not one (at most about 15 s, at a minute's or a day's end).
inline SYSTEMTIME SafeTimeAhead(int ahead) {
    constexpr int kRunSeconds = 20;  // what a test does after the set second, at most
    for (;;) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const SYSTEMTIME set = Later(now, ahead);
        const SYSTEMTIME end = Later(now, ahead + kRunSeconds);
        if (set.wSecond <= 50 && end.wDay == now.wDay) return set;
        Sleep(250);
    }
}

inline std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// One request of power-requests.log: "call=... time=YYYY-MM-DD hh:mm:ss.fffffff clock=hh:mm:ss.fff",
// the machine's time and the program's clock (the same unless a test moved it).
struct Request {
    std::string call;  // everything before " time="
    int hour = -1, minute = -1, second = -1;
    double fraction = 0;
    int clockHour = -1, clockMinute = -1, clockSecond = -1, clockMs = -1;
};

inline std::vector<Request> Requests(const Program& p) {
    std::string log;
    std::vector<Request> out;
    if (!p.ReadFile("power-requests.log", log)) return out;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = log.substr(start, end - start);
        const std::size_t at = line.find(" time=");
        if (at == std::string::npos) continue;
        Request r;
        r.call = line.substr(0, at);
        int y, mo, d;
        std::sscanf(line.c_str() + at + 6, "%d-%d-%d %d:%d:%d%lf", &y, &mo, &d, &r.hour, &r.minute,
                    &r.second, &r.fraction);
        const std::size_t clock = line.find(" clock=");
        if (clock != std::string::npos)
            std::sscanf(line.c_str() + clock + 7, "%d:%d:%d.%d", &r.clockHour, &r.clockMinute,
                        &r.clockSecond, &r.clockMs);
        out.push_back(r);
    }
    return out;
}

// A started copy of the recording program with MainWindow up.
struct Scheduled {
    Program p;
    HWND main;
    SYSTEMTIME set{};

    // closeIni: nullptr for none; program: the recording copy unless given; other files beside it.
    explicit Scheduled(const char* closeIni, std::wstring program = RecordingProgram(),
                       std::map<std::string, std::string> files = {})
        : p(Launch{.files = WithCloseIni(std::move(files), closeIni), .program = std::move(program)}),
          main(p.Main()) {}

    HWND Ctl(ControlId id) const { return Program::Ctl(main, id); }

    // Sets the time boxes `ahead` seconds from a safe moment, ticks only that day's weekday box and the
    // reminder box as asked, and switches on.
    void SwitchOnAhead(int ahead, bool reminder) {
        set = SafeTimeAhead(ahead);
        Program::SetText(Ctl(mainwnd::编辑框1), TwoDigits(set.wHour));
        Program::SetText(Ctl(mainwnd::编辑框2), TwoDigits(set.wMinute));
        Program::SetText(Ctl(mainwnd::编辑框3), TwoDigits(set.wSecond));
        for (int day = 0; day < 7; ++day) Program::SetChecked(Ctl(kWeekdayBox[day]), day == set.wDayOfWeek);
        Program::SetChecked(Ctl(mainwnd::选择框8), reminder);
        Program::Click(Ctl(mainwnd::应用));
    }
    // The set second as Unix time.
    unsigned long long SetUnixTime() const {
        SYSTEMTIME whole = set;
        whole.wMilliseconds = 0;
        FILETIME local, utc;
        SystemTimeToFileTime(&whole, &local);
        LocalFileTimeToFileTime(&local, &utc);
        const ULARGE_INTEGER t{{utc.dwLowDateTime, utc.dwHighDateTime}};
        return t.QuadPart / 10'000'000 - 11'644'473'600ULL;
    }
    std::string SetTimeText() const {
        return TwoDigits(set.wHour) + ":" + TwoDigits(set.wMinute) + ":" + TwoDigits(set.wSecond);
    }
    bool WaitRequests(std::size_t n, DWORD timeoutMs) {
        return WaitUntil([&] { return Requests(p).size() >= n; }, timeoutMs);
    }
    // The time of a request relative to the set second, in seconds.
    double After(const Request& r) const {
        auto secondsOfDay = [](int h, int m, int s) { return (h * 60 + m) * 60 + s; };
        int diff = secondsOfDay(r.hour, r.minute, r.second) - secondsOfDay(set.wHour, set.wMinute, set.wSecond);
        if (diff < -43200) diff += 86400;
        return diff + r.fraction;
    }
    static std::map<std::string, std::string> WithCloseIni(std::map<std::string, std::string> files,
                                                           const char* closeIni) {
        if (closeIni) files["close.ini"] = closeIni;
        return files;
    }
    HWND OpenCountdown() {
        SwitchOnAhead(2, true);
        return p.WaitWindow("提醒窗口", 10000);
    }
};

}  // namespace sut::e2e
