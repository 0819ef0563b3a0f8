// Brings the program into one of its windows for a screenshot (scripts/screenshot).
//
//   shot_driver.exe <Sutremo.exe> <scene> <go file>
//
// Starts the program in a fresh directory (with prepared settings files where the scene needs
// them), drives it with window messages until the scene's window is on the screen and painted,
// prints "RECT x y width height" of the region to take, then waits until <go file> exists (the
// script creates it once the picture is taken) and ends the program.
//
// Scenes: main, locked, reminder, set-password, start-prompt, unlock-prompt, about, tray-menu.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Driver.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "schedule/ReminderLayout.h"
#include "settings/PasswordCodec.h"

using namespace sut;
using namespace sut::e2e;

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;

class FixedTicks final : public Ticks {
public:
    std::uint32_t TickCount() override { return 4242; }
};

// close.ini of a user who shuts down at 22:30 on working days, reminded a minute before.
std::string WorkdaySchedule() {
    return "[关机周期]\r\n星期一=Y\r\n星期二=Y\r\n星期三=Y\r\n星期四=Y\r\n星期五=Y\r\n"
           "星期六=N\r\n星期日=N\r\n"
           "[开机启动]\r\n开关=N\r\n[启动最小化]\r\n开关=N\r\n"
           "[关机操作]\r\n关机方式=1\r\n"
           "[提醒时间]\r\n是否提醒=Y\r\n秒=60\r\n"
           "[关机时间]\r\n小时=22\r\n分钟=30\r\n秒=0\r\n";
}

// close.ini that is due now: today's weekday ticked, the set time this very second, the reminder
// on with a count of 60 s: the picture is taken within a few seconds and the program ended long
// before the count reaches 0 (the driver waits at most 30 s for the script).
std::string DueNowSchedule() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    if (st.wSecond >= 55) {  // keep the due minute from running out under the driver
        Sleep((61 - st.wSecond) * 1000);
        GetLocalTime(&st);
    }
    static const char* const kDays[7] = {"星期日", "星期一", "星期二", "星期三",
                                         "星期四", "星期五", "星期六"};
    std::string days = "[关机周期]\r\n";
    for (int d = 0; d < 7; ++d)
        days += std::string(kDays[d]) + (d == st.wDayOfWeek ? "=Y\r\n" : "=N\r\n");
    return days + "[关机操作]\r\n关机方式=1\r\n[提醒时间]\r\n是否提醒=Y\r\n秒=60\r\n" +
           "[关机时间]\r\n小时=" + std::to_string(st.wHour) + "\r\n分钟=" +
           std::to_string(st.wMinute) + "\r\n秒=" + std::to_string(st.wSecond) + "\r\n";
}

std::string Passwords(std::initializer_list<const char*> sections) {
    FixedTicks ticks;
    ScrambleDraws draws{ticks};
    std::string config;
    for (const char* section : sections)
        config += std::string("[") + section + "]\r\npassword=" +
                  ScramblePassword(draws, "Sample1x") + "\r\n";
    return config;
}

HWND ShownMain(Program& p) {
    HWND main = p.Main();
    if (main) WaitUntil([&] { return Program::Visible(main); });
    return main;
}

bool IsLocked(HWND main) {
    const RECT r = Program::Rect(main);
    return r.right - r.left == Px(248) && r.bottom - r.top == Px(210) &&
           IsWindowVisible(Program::Ctl(main, mainwnd::图片框1));
}

void Type(HWND edit, std::wstring_view text) {
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

// The program's popup menu window (class #32768), or nullptr.
HWND PopupMenu(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lp);
            wchar_t cls[16];
            GetClassNameW(h, cls, 16);
            if (lstrcmpW(cls, L"#32768") != 0 || !IsWindowVisible(h)) return TRUE;
            s.found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Puts the window in front and gives it time to paint.
void Present(HWND h) {
    SetForegroundWindow(h);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(700);
}

int Fail(const char* what) {
    std::printf("FAIL %s\n", what);
    std::fflush(stdout);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return Fail("usage: shot_driver <Sutremo.exe> <scene> <go file>");
    SetProgramPath(argv[1]);
    const std::string scene = Gbk(argv[2]);
    std::wstring go = argv[3];
    if (!go.empty() && go[0] == L'/') go = L"Z:" + go;

    Launch launch;
    if (scene == "main") launch.files["close.ini"] = WorkdaySchedule();
    if (scene == "locked" || scene == "unlock-prompt") launch.files["config.ini"] = Passwords({"Soft lock"});
    if (scene == "start-prompt") launch.files["config.ini"] = Passwords({"Soft boot"});
    if (scene == "reminder") launch.files["close.ini"] = DueNowSchedule();
    Program p(launch);

    HWND shot = nullptr;  // the window to take
    RECT region{};        // or, when no window, this region
    if (scene == "main") {
        shot = ShownMain(p);
    } else if (scene == "locked" || scene == "unlock-prompt") {
        HWND main = ShownMain(p);
        if (!main) return Fail("main window");
        Program::Click(Program::Ctl(main, mainwnd::按钮1));
        if (!WaitUntil([&] { return IsLocked(main); })) return Fail("lock");
        shot = main;
        if (scene == "unlock-prompt") {
            PostMessageW(Program::Ctl(main, mainwnd::图片框1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            shot = p.WaitWindow("您已设定锁定,请输入解锁密码！");
        }
    } else if (scene == "reminder") {
        HWND main = ShownMain(p);
        if (!main) return Fail("main window");
        Program::Click(Program::Ctl(main, mainwnd::应用));
        shot = p.WaitWindow("提醒窗口");
        if (!shot) return Fail("reminder window");
        WaitUntil([&] { return !Program::Text(Program::Ctl(shot, reminderwnd::标签1)).empty(); });
    } else if (scene == "set-password") {
        HWND main = ShownMain(p);
        if (!main) return Fail("main window");
        Program::Command(main, mainwnd::设置软件锁定密码);
        shot = p.WaitWindow("设置软件锁定密码(分大小写)");
        if (shot) Type(Program::Ctl(shot, passwordwnd::编辑框1), L"Sample1x");
    } else if (scene == "start-prompt") {
        shot = p.WaitWindow("您已设定启动密码,请输入！");
        if (shot) Type(Program::Ctl(shot, passwordwnd::编辑框1), L"Sample");
    } else if (scene == "about") {
        HWND main = ShownMain(p);
        if (!main) return Fail("main window");
        Program::Command(main, mainwnd::关于);
        shot = p.WaitWindow("关于");
    } else if (scene == "tray-menu") {
        // The main window in the tray, its icon right-clicked: the menu "文件" at the pointer.
        HWND main = ShownMain(p);
        if (!main) return Fail("main window");
        PostMessageW(main, WM_CLOSE, 0, 0);
        WaitUntil([&] { return !Program::Visible(main); });
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        // The pointer just above the icon (the last one of the tray, at the bottom right corner),
        // so that the menu opens above the taskbar and leaves the icon in sight.
        const POINT at{w - 11, h - 70};
        WaitUntil([&] {
            SetCursorPos(at.x, at.y);
            POINT now{};
            GetCursorPos(&now);
            return now.x == at.x && now.y == at.y;
        });
        Sleep(300);
        PostMessageW(main, kTrayCallback, 1, WM_RBUTTONUP);
        HWND menu = nullptr;
        if (!WaitUntil([&] { return (menu = PopupMenu(p.ProcessId())) != nullptr; }))
            return Fail("popup menu");
        Sleep(700);
        const RECT m = Program::Rect(menu);
        region = {m.left - 80, m.top - 16, w, h};
    } else {
        return Fail("unknown scene");
    }
    if (shot) {
        Present(shot);
        region = Program::Rect(shot);
    } else if (region.right == 0) {
        return Fail("window not found");
    }
    std::printf("RECT %ld %ld %ld %ld\n", region.left, region.top, region.right - region.left,
                region.bottom - region.top);
    std::fflush(stdout);
    WaitUntil([&] { return GetFileAttributesW(go.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
    return 0;
}
