// The shipped program's own, forced request. Under Wine it ends every process of the prefix,
// this test included, so it runs only in a throwaway prefix (ScheduleRealRequest.sh, which also
// watches the prefix end); elsewhere it is skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "Driver.h"
#include "app/MainWindowLayout.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

constexpr ControlId kWeekdayBox[7] = {选择框7, 选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6};

TEST(ScheduleRealRequest, TheForcedPowerOffEndsEveryProcessOfThePrefix) {
    const char* throwaway = std::getenv("SUTREMO_THROWAWAY_PREFIX");
    if (!throwaway || std::string(throwaway) != "1") GTEST_SKIP() << "needs a throwaway prefix";

    Program p;  // the shipped program; no close.ini: power off
    HWND main = p.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));

    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart = (t.QuadPart / 10'000'000 + 3) * 10'000'000;  // a whole second, 2 to 3 s ahead
    const FILETIME setUtc{t.LowPart, t.HighPart};
    FILETIME setLocal;
    SYSTEMTIME set;
    FileTimeToLocalFileTime(&setUtc, &setLocal);
    FileTimeToSystemTime(&setLocal, &set);
    auto put = [&](ControlId box, int n) {
        char text[4];
        std::snprintf(text, sizeof text, "%02d", n);
        Program::SetText(Program::Ctl(main, box), text);
    };
    put(编辑框1, set.wHour);
    put(编辑框2, set.wMinute);
    put(编辑框3, set.wSecond);
    for (int day = 0; day < 7; ++day)
        Program::SetChecked(Program::Ctl(main, kWeekdayBox[day]), day == set.wDayOfWeek);
    Program::SetChecked(Program::Ctl(main, 选择框8), false);
    Program::Click(Program::Ctl(main, 应用));

    // For the watching script: the set second as Unix time.
    std::printf("armed unix=%llu\n", t.QuadPart / 10'000'000 - 11'644'473'600ULL);
    std::fflush(stdout);
    // Still here well after the set time: the request did not end the prefix.
    p.WaitExit(20'000);
    FAIL() << "the program and this test outlived the set time";
}

}  // namespace
}  // namespace sut::e2e
