// A started program on Wednesday 2014-05-14 (or another day of May 2014) at 20:59:58 with only
// "星期三" ticked, the set time 21:00:00, the reminder box unticked and, when given, this close.ini.
#pragma once

#include <string>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "schedule/Scheduler.h"

namespace sut::test {

inline constexpr WindowId kMain = WindowId::MainWindow;
inline constexpr WindowId kReminder = WindowId::ReminderWindow;
inline constexpr const char* kCloseIni = "C:\\Tools\\close.ini";

struct Scheduling : AppFixture {
    explicit Scheduling(const char* closeIni = nullptr, int dayOfMay = 14) : day(dayOfMay) {
        At(20, 59, 58);
        EXPECT_TRUE(Start());
        app.settingsDirectory = "C:\\Tools\\";
        if (closeIni) files.files[kCloseIni] = closeIni;
        using namespace mainwnd;
        for (ControlId box : {选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7})
            ui.SetChecked(kMain, box, box == 选择框3);
        ui.SetChecked(kMain, 选择框8, false);
        SetTime("21", "00", "00");
    }
    // The timers run from the start: a test moves the clock forward only.
    void At(int hour, int minute, int second, int ms = 0) {
        clock.Set(2014, 5, day, hour, minute, second, ms);
    }
    void SetTime(const char* hour, const char* minute, const char* second) {
        ui.Type(kMain, mainwnd::编辑框1, hour);
        ui.Type(kMain, mainwnd::编辑框2, minute);
        ui.Type(kMain, mainwnd::编辑框3, second);
    }
    void ClickApply() { ui.Click(kMain, mainwnd::应用); }
    std::size_t Requests() const { return power.requests.size(); }
    std::string Label() { return ui.Text(kMain, mainwnd::标签7); }
    std::string Caption() { return ui.Text(kMain, mainwnd::应用); }
    int CheckTimer() { return ui.TimerPeriod(kMain, mainwnd::时钟1); }

    int day;
};

}  // namespace sut::test
