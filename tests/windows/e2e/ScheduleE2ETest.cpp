// Automatic shut-down end to end, in real time, with the recording copy of the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ScheduleDriver.h"
#include "schedule/ReminderLayout.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

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

// Local time as milliseconds.
long long Ms(const SYSTEMTIME& t) {
    FILETIME ft;
    SystemTimeToFileTime(&t, &ft);
    return static_cast<long long>((ULONGLONG{ft.dwHighDateTime} << 32 | ft.dwLowDateTime) / 10'000);
}

// The wall clock set forward under the program asleep in the tray, to two seconds before a set
// second that leaves two seconds of the minute (58 and 59). Windows announces the change with
// WM_TIMECHANGE; a program that saw the move only at its next wake, up to half a minute later,
// would most likely miss them. The recording copy's clock runs the offset in clock-offset.txt,
// when it starts with one.
TEST(ScheduleE2E, AClockSetForwardUnderTheSleepingProgramActsAtTheSetSecond) {
    Scheduled s(nullptr, RecordingProgram(), {{"clock-offset.txt", "0"}});
    ASSERT_TRUE(s.main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(s.main); }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME set = Later(now, 2 * 3600);  // hours away, on whatever day
    set.wSecond = 58;
    set.wMilliseconds = 0;
    Program::SetText(s.Ctl(编辑框1), TwoDigits(set.wHour));
    Program::SetText(s.Ctl(编辑框2), TwoDigits(set.wMinute));
    Program::SetText(s.Ctl(编辑框3), TwoDigits(set.wSecond));
    for (ControlId box : kWeekdayBox) Program::SetChecked(s.Ctl(box), true);
    Program::Click(s.Ctl(应用));
    ASSERT_TRUE(WaitUntil([&] { return !Program::Visible(s.main); }));
    Sleep(2000);  // the check after the hide has sent it to sleep (if not, the test proves less)

    GetLocalTime(&now);
    const long long offset = Ms(set) - 2000 - Ms(now);
    const std::string text = std::to_string(offset);
    HANDLE file = CreateFileW((s.p.Directory() + L"\\clock-offset.txt").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    SendMessageW(s.main, WM_TIMECHANGE, 0, 0);

    ASSERT_TRUE(s.WaitRequests(1, 10000));
    EXPECT_FALSE(s.WaitRequests(3, 3000));  // then the minute is over on the program's clock
    // Asked in the set seconds on the program's clock, once each, as checks every second would.
    const std::vector<Request> requests = Requests(s.p);
    int last = 0;
    for (const Request& r : requests) {
        std::printf("request at %02d:%02d:%02d.%03d on the program's clock\n", r.clockHour,
                    r.clockMinute, r.clockSecond, r.clockMs);
        EXPECT_EQ(r.clockHour, set.wHour);
        EXPECT_EQ(r.clockMinute, set.wMinute);
        EXPECT_GE(r.clockSecond, 58);
        EXPECT_GT(r.clockSecond, last);
        last = r.clockSecond;
    }
}

TEST(ScheduleE2E, TheCountdownIsTopmostCountsTheSavedSecondsAndActsAtZero) {
    Scheduled s("[提醒时间]\r\n秒=3\r\n[关机操作]\r\n关机方式=3\r\n");
    ASSERT_TRUE(s.main);
    HWND countdown = s.OpenCountdown();
    ASSERT_TRUE(countdown);
    const RECT r = Program::Rect(countdown);
    EXPECT_EQ(r.right - r.left, 195);
    EXPECT_EQ(r.bottom - r.top, 106);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 195) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 106) / 2);
    EXPECT_TRUE(GetWindowLongW(countdown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Found as soon as it exists; shown a moment later (longer for an emulated 32-bit program).
    EXPECT_TRUE(WaitUntil([&] { return Program::Visible(countdown); }));
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
