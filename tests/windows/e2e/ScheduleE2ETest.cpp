// Automatic shut-down end to end, in real time, with SutremoRecording.exe: the program built
// from the same sources whose shut-down service writes each request to power-requests.log
// beside it instead of acting.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/MainWindowLayout.h"
#include "schedule/ReminderLayout.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

std::wstring RecordingProgram() {
    std::wstring path = ProgramPath();
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"SutremoRecording.exe";
}

// The weekday boxes by GetLocalTime's day of the week, 0 = Sunday.
constexpr ControlId kWeekdayBox[7] = {选择框7, 选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6};

SYSTEMTIME LocalTimeIn(int seconds) {
    FILETIME ft;
    SYSTEMTIME st;
    GetLocalTime(&st);
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += seconds * 10'000'000ULL;
    ft = {t.LowPart, t.HighPart};
    FileTimeToSystemTime(&ft, &st);
    return st;
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// One request of power-requests.log: "call=... time=YYYY-MM-DD hh:mm:ss.fffffff".
struct Request {
    std::string call;  // everything before " time="
    int hour = -1, minute = -1, second = -1;
    double fraction = 0;
};

std::vector<Request> Requests(const Program& p) {
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
        out.push_back(r);
    }
    return out;
}

// A started copy of the recording program with MainWindow up.
struct Scheduled {
    Program p;
    HWND main;
    SYSTEMTIME set{};

    explicit Scheduled(const char* closeIni)
        : p(Launch{.files = closeIni ? std::map<std::string, std::string>{{"close.ini", closeIni}}
                                     : std::map<std::string, std::string>{},
                   .program = RecordingProgram()}),
          main(p.Main()) {}

    HWND Ctl(ControlId id) const { return Program::Ctl(main, id); }

    // Sets the time boxes `ahead` seconds from now, ticks only today's weekday box and the
    // reminder box as asked, and switches on.
    void SwitchOnAhead(int ahead, bool reminder) {
        set = LocalTimeIn(ahead);
        Program::SetText(Ctl(编辑框1), TwoDigits(set.wHour));
        Program::SetText(Ctl(编辑框2), TwoDigits(set.wMinute));
        Program::SetText(Ctl(编辑框3), TwoDigits(set.wSecond));
        for (int day = 0; day < 7; ++day) Program::SetChecked(Ctl(kWeekdayBox[day]), day == set.wDayOfWeek);
        Program::SetChecked(Ctl(选择框8), reminder);
        Program::Click(Ctl(应用));
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
    HWND OpenCountdown() {
        SwitchOnAhead(2, true);
        return p.WaitWindow("提醒窗口", 10000);
    }
};

TEST(ScheduleE2E, SwitchedOnItHidesShowsTheSetTimeAndRequestsTheSavedActionAtIt) {
    Scheduled s("[关机操作]\r\n关机方式=2\r\n");
    ASSERT_TRUE(s.main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(s.main); }));
    s.SwitchOnAhead(3, false);
    ASSERT_TRUE(WaitUntil([&] { return !Program::Visible(s.main); }));
    EXPECT_EQ(Program::Text(s.Ctl(应用)), "关闭自动关机");
    EXPECT_EQ(Program::Text(s.Ctl(标签7)), "关机时间为" + s.SetTimeText());
    EXPECT_TRUE(Requests(s.p).empty());

    ASSERT_TRUE(s.WaitRequests(1, 10000));
    const Request first = Requests(s.p)[0];
    EXPECT_EQ(first.call, "call=ExitWindowsEx flags=6");  // EWX_REBOOT | EWX_FORCE
    EXPECT_GE(s.After(first), 0.0);
    std::printf("request %.3f s after the set second\n", s.After(first));
    // Still running (nothing acted), it asks again on the next check of the minute.
    EXPECT_TRUE(s.WaitRequests(2, 3000));
    EXPECT_TRUE(s.p.Running());
}

TEST(ScheduleE2E, TheCountdownIsTopmostCountsTheSavedSecondsAndActsAtZero) {
    Scheduled s("[提醒时间]\r\n秒=3\r\n[关机操作]\r\n关机方式=3\r\n");
    ASSERT_TRUE(s.main);
    HWND countdown = s.OpenCountdown();
    ASSERT_TRUE(countdown);
    const RECT r = Program::Rect(countdown);
    EXPECT_EQ(r.right - r.left, 195);
    EXPECT_EQ(r.bottom - r.top, 106);
    EXPECT_TRUE(GetWindowLongW(countdown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(Program::Visible(countdown));
    EXPECT_FALSE(Program::Visible(s.main));

    HWND label = Program::Ctl(countdown, reminderwnd::标签1);
    for (const char* shown : {"离关机还有2秒", "离关机还有1秒"}) {
        EXPECT_TRUE(WaitUntil([&] { return Program::Text(label) == shown; }, 3000)) << shown;
        EXPECT_TRUE(Requests(s.p).empty()) << shown;
    }
    EXPECT_TRUE(WaitUntil([&] { return Program::Text(label) == "离关机还有0秒"; }, 3000));
    ASSERT_TRUE(s.WaitRequests(1, 3000));
    EXPECT_EQ(Requests(s.p)[0].call, "call=ExitWindowsEx flags=4");  // EWX_LOGOFF | EWX_FORCE
    EXPECT_TRUE(IsWindow(countdown));
    EXPECT_EQ(Program::Text(s.Ctl(应用)), "关闭自动关机");
}

TEST(ScheduleE2E, GivingUpClosesTheCountdownAndSwitchesOffWithoutARequest) {
    Scheduled s("[提醒时间]\r\n秒=2\r\n");
    ASSERT_TRUE(s.main);
    HWND countdown = s.OpenCountdown();
    ASSERT_TRUE(countdown);
    Program::Click(Program::Ctl(countdown, reminderwnd::按钮2));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(countdown); }, 3000));
    EXPECT_EQ(Program::Text(s.Ctl(应用)), "开启自动关机");
    // The count would have ended two seconds after opening.
    EXPECT_FALSE(s.WaitRequests(1, 3000));
    EXPECT_TRUE(s.p.Running());
}

TEST(ScheduleE2E, ActNowRequestsTheSavedActionAndClosesTheCountdown) {
    Scheduled s(nullptr);  // never saved: the power-off that was scheduled
    ASSERT_TRUE(s.main);
    HWND countdown = s.OpenCountdown();
    ASSERT_TRUE(countdown);
    Program::Click(Program::Ctl(countdown, reminderwnd::按钮1));
    ASSERT_TRUE(s.WaitRequests(1, 3000));
    EXPECT_EQ(Requests(s.p)[0].call, "call=ExitWindowsEx flags=12");  // EWX_POWEROFF | EWX_FORCE
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(countdown); }, 3000));
    EXPECT_EQ(Program::Text(s.Ctl(应用)), "关闭自动关机");
}

}  // namespace
}  // namespace sut::e2e
