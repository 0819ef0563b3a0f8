// The real program's main window: layout, clock, "关于", "退出", and its life in the tray.
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/ClockText.h"
#include "app/MainWindowLayout.h"
#include "app/Layouts.h"
#include "platform/win32/LocalTime.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

constexpr UINT kTrayCallback = WM_APP + 1;

POINT ClientOrigin(HWND window) {
    POINT p{0, 0};
    ClientToScreen(window, &p);
    return p;
}

TEST(MainWindowE2E, OpensCentredWithEveryControlOfTheLayout) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));
    // Also run at other scales (tests/windows/AtDpi.sh): figures of the layout are scaled.
    const RECT r = Program::Rect(main);
    EXPECT_EQ(r.right - r.left, Px(430));
    EXPECT_EQ(r.bottom - r.top, Px(346));
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - Px(430)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - Px(346)) / 2);
    EXPECT_FALSE(GetWindowLongW(main, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongW(main, GWL_STYLE) & WS_MINIMIZEBOX);

    const WindowSpec& spec = LayoutOf(WindowId::MainWindow);
    const POINT origin = ClientOrigin(main);
    for (const ControlSpec& c : spec.controls) {
        if (c.kind == ControlKind::Timer) continue;
        SCOPED_TRACE(std::string(c.name));
        HWND h = Program::Ctl(main, c.id);
        ASSERT_TRUE(h);
        const Point at = ClientPosition(spec, c);
        const RECT cr = Program::Rect(h);
        EXPECT_EQ(cr.left - origin.x, Px(at.x));
        EXPECT_EQ(cr.top - origin.y, Px(at.y));
        EXPECT_EQ(cr.right - cr.left, Px(c.width));
        EXPECT_EQ(cr.bottom - cr.top, Px(c.height));
        EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0, !(c.flags & kHidden));
        if (c.id != 标签2 && c.kind != ControlKind::Edit) {
            EXPECT_EQ(Program::Text(h), c.caption);
        }
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
            EXPECT_EQ(Program::Checked(h), (c.flags & kChecked) != 0);
        }
    }
    // The picture lies above everything in its area; the spin arrows sit right of their boxes.
    EXPECT_EQ(GetWindow(Program::Ctl(main, 选择框9), GW_HWNDNEXT), Program::Ctl(main, 图片框1));
    const RECT edit = Program::Rect(Program::Ctl(main, 编辑框1));
    HWND spin = Program::Ctl(main, 编辑框1 + 1000);
    ASSERT_TRUE(spin);
    const RECT sr = Program::Rect(spin);
    EXPECT_EQ(sr.left, edit.right);
    EXPECT_EQ(sr.right - sr.left, Px(18));
    EXPECT_EQ(sr.bottom - sr.top, edit.bottom - edit.top);
}

TEST(MainWindowE2E, ClockLabelChangesEverySecond) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    HWND clock = Program::Ctl(main, 标签2);
    std::string first;
    ASSERT_TRUE(WaitUntil([&] { return !(first = Program::Text(clock)).empty(); }));
    EXPECT_NE(first.find("年"), std::string::npos) << first;
    EXPECT_NE(first.find("星期"), std::string::npos) << first;
    EXPECT_TRUE(WaitUntil([&] { return Program::Text(clock) != first; }, 3000));
}

TEST(MainWindowE2E, TimeBoxesTakeOnlyDigitsAndMinusFromTheKeyboard) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    for (ControlId box : {编辑框1, 编辑框2, 编辑框3, 编辑框4}) {
        HWND h = Program::Ctl(main, box);
        Program::SetText(h, "");
        for (wchar_t ch : std::wstring(L"1a-+ 9\xFF11"))
            SendMessageW(h, WM_CHAR, ch, 0);
        EXPECT_EQ(Program::Text(h), "1-9") << box;
    }
}

TEST(MainWindowE2E, AboutShowsItsBox) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    Program::Command(main, 关于);
    HWND box = p.WaitWindow("关于");
    ASSERT_TRUE(box);
    bool sawAuthor = false;
    EnumChildWindows(
        box,
        [](HWND h, LPARAM lp) -> BOOL {
            if (Program::Text(h).find("程序作者：Orvandel") != std::string::npos)
                *reinterpret_cast<bool*>(lp) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&sawAuthor));
    EXPECT_TRUE(sawAuthor);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !p.FindWindow("关于"); }));
    EXPECT_TRUE(p.Running());
}

TEST(MainWindowE2E, ExitEndsWithCodeZero) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    Program::Command(main, 退出);
    EXPECT_EQ(p.WaitExit(), 0u);
}

// Local time as the clock label shows it.
std::string ClockText() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    const LocalTime now = win32::ToLocalTime(t);
    return DateTimeText(now) + WeekdayName(now.weekday);
}

// In the tray the clock label rests; shown again, it reads the current second at once.
TEST(MainWindowE2E, CloseHidesToTheTrayAndTheIconShowsAndHidesIt) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Program::Visible(main); }));
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(IsWindow(main));

    Sleep(2000);  // a label that rested is two seconds behind by now
    const std::string before = ClockText();
    SendMessageW(main, kTrayCallback, 1, WM_LBUTTONUP);  // returns once the window is shown
    const std::string shown = Program::Text(Program::Ctl(main, 标签2));
    const std::string after = ClockText();
    EXPECT_TRUE(shown == before || shown == after) << shown << " between " << before << " and " << after;
    EXPECT_TRUE(WaitUntil([&] { return Program::Visible(main) && !IsIconic(main); }));
    PostMessageW(main, kTrayCallback, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil([&] { return !Program::Visible(main); }));

    // Minimising hides it too.
    PostMessageW(main, kTrayCallback, 1, WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Program::Visible(main); }));
    EXPECT_TRUE(p.Running());
}

TEST(MainWindowE2E, RefusesTheQueryBeforeALogOffAndHides) {
    Program p;
    HWND main = p.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));
    DWORD_PTR answer = 1;
    ASSERT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(answer, 0u);
    EXPECT_FALSE(Program::Visible(main));
    EXPECT_TRUE(p.Running());
}

TEST(MainWindowE2E, StartMinimisedFlagStartsInTheTrayWhateverTheCurrentDirectory) {
    for (const wchar_t* cwd : {L"", L"C:\\windows\\system32"}) {
        Launch launch;
        launch.files["close.ini"] = "[启动最小化]\r\n开关=Y\r\n";
        launch.currentDirectory = cwd;
        Program p(launch);
        HWND main = p.Main();
        ASSERT_TRUE(main);
        // Complete and never shown: it stays hidden while the program runs on.
        EXPECT_FALSE(WaitUntil([&] { return Program::Visible(main); }, 1500));
        EXPECT_TRUE(Program::Checked(Program::Ctl(main, 选择框10)));
        EXPECT_TRUE(p.Running());
        PostMessageW(main, kTrayCallback, 1, WM_LBUTTONUP);
        EXPECT_TRUE(WaitUntil([&] { return Program::Visible(main) && !IsIconic(main); }));
    }
}

}  // namespace
}  // namespace sut::e2e
