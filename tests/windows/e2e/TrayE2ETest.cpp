// The tray icon as the shell shows it: read back from the shell's own tray, after what Windows
// does between windows (the "TaskbarCreated" broadcast, the move that a changed menu bar causes).
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/MainWindowLayout.h"
#include "support/ShellTray.h"

namespace sut::e2e {
namespace {

constexpr const char* kTipIdle = "Orvandel - Sutremo";
constexpr const char* kTipScheduled = "Orvandel - Sutremo - 定时已开启";
constexpr const char* kTipLocked = "Orvandel - Sutremo - 已锁定";
constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kIconId = 1;

// The icons a program added since the watch began, with their tips.
struct TrayWatch {
    std::vector<shell::TrayIcon> before = shell::TrayIcons();
    std::vector<std::string> Tips() const {
        std::vector<std::string> tips;
        for (const auto& icon : shell::NewIcons(before, shell::TrayIcons())) tips.push_back(icon.tip);
        return tips;
    }
    // Exactly one icon of the program, with this tip.
    bool Shows(const std::string& tip, DWORD timeoutMs = 5000) const {
        return WaitUntil([&] { return Tips() == std::vector<std::string>{tip}; }, timeoutMs);
    }
};

struct Broadcast {
    const char* what;
    bool shellLostTheIcon;    // Explorer restarted: the icon went with it
    bool passwordWindowOpen;  // a second window of the program hears the broadcast too
};

TEST(TrayE2E, AfterTaskbarCreatedOneIconWithTheCurrentTipUntilTheProgramEnds) {
    const Broadcast rows[] = {
        {"broadcast while the icon is there", false, false},
        {"the shell lost the icon, then the broadcast", true, false},
        {"broadcast with a password window open", false, true},
    };
    for (const Broadcast& row : rows) {
        SCOPED_TRACE(row.what);
        TrayWatch tray;
        Program p;
        HWND main = p.Main();
        ASSERT_TRUE(main);
        ASSERT_TRUE(tray.Shows(kTipIdle));
        HWND setWindow = nullptr;
        if (row.passwordWindowOpen) {
            Program::Command(main, mainwnd::设置软件退出密码);
            ASSERT_TRUE(setWindow = p.WaitWindow("设置软件退出密码(分大小写)"));
        }
        if (row.shellLostTheIcon) {
            shell::RemoveTrayIcon(main, kIconId);
            ASSERT_TRUE(tray.Tips().empty());
        }
        shell::BroadcastTaskbarCreated();
        EXPECT_TRUE(tray.Shows(kTipIdle));
        if (setWindow) {
            PostMessageW(setWindow, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(setWindow); }));
        }

        // Later tips reach the shell.
        Program::Click(Program::Ctl(main, mainwnd::应用));
        EXPECT_TRUE(tray.Shows(kTipScheduled));
        Program::Click(Program::Ctl(main, mainwnd::应用));
        EXPECT_TRUE(tray.Shows(kTipIdle));

        // Ending takes the icon away: none is left behind in the tray.
        Program::Command(main, mainwnd::退出);
        EXPECT_EQ(p.WaitExit(), 0u);
        EXPECT_TRUE(tray.Tips().empty());
    }
}

TEST(TrayE2E, TheLockedTipStaysWhetherLockedFromTheWindowOrFromTheTray) {
    struct Way {
        const char* what;
        void (*lock)(HWND main);
    } ways[] = {
        {"\"锁   定\" in the shown window", [](HWND main) { Program::Click(Program::Ctl(main, mainwnd::按钮1)); }},
        {"\"锁定\" from the tray while hidden",
         [](HWND main) {
             PostMessageW(main, kTrayCallback, kIconId, WM_LBUTTONUP);  // hides it
             ASSERT_TRUE(WaitUntil([&] { return !Program::Visible(main); }));
             Program::Command(main, mainwnd::锁定);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        TrayWatch tray;
        Program p(WithPasswords({{"Soft lock", "Lock33x"}}));
        HWND main = p.Main();
        ASSERT_TRUE(main);
        ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));
        ASSERT_TRUE(tray.Shows(kTipIdle));
        way.lock(main);
        // The style bit: the controls of a hidden window are not "visible" to IsWindowVisible.
        HWND picture = Program::Ctl(main, mainwnd::图片框1);
        ASSERT_TRUE(WaitUntil([&] { return (GetWindowLongW(picture, GWL_STYLE) & WS_VISIBLE) != 0; }));
        // The picture shows half-way through locking; the tip is read once the lock is done.
        Program::Sync(main);
        EXPECT_EQ(tray.Tips(), std::vector<std::string>{kTipLocked});
        // A real move still puts the tip back.
        if (Program::Visible(main)) {
            RECT r = Program::Rect(main);
            SetWindowPos(main, nullptr, r.left + 10, r.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            Program::Sync(main);
            EXPECT_EQ(tray.Tips(), std::vector<std::string>{kTipIdle});
        }
    }
}

}  // namespace
}  // namespace sut::e2e
